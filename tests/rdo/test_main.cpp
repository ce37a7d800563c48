// The data-access tests share one PostgreSQL server per process unless ctest
// started one for the whole run.
#include "pg_server.h"

#include <gtest/gtest.h>

namespace {

class PgServerEnvironment : public testing::Environment {
public:
    void TearDown() override { vorn::rdo::test::PgServer::stopShared(); }
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    vorn::rdo::test::useQuietOdbcConfig();
    testing::AddGlobalTestEnvironment(std::make_unique<PgServerEnvironment>().release());
    return RUN_ALL_TESTS();
}
