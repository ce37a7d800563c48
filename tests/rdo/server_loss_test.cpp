// A server that goes away under an open connection: the error must say why,
// and the open test of the status builds must then find the connection closed.
#include "pg_server.h"
#include "test_database.h"
#include "tests/support/error_code.h"

#include "platform/rdo/connection_ref.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"

#include <gtest/gtest.h>

using namespace vorn::automation;
using namespace vorn::rdo;
using namespace vorn::rdo::test;
using namespace vorn::test;

namespace {

TEST(ServerLoss, StoppedServerFailsWithItsCauseAndClosesTheConnection) {
    if (postgreSqlSkipped())
        GTEST_SKIP() << "VORN_SKIP_PG is set";
    PgServer server = PgServer::start(); // its own: this test stops it
    auto connection = makeObject<RdoEnvironment>()->openConnection("", false, server.connect());
    ConnectionRef ref(static_cast<IDispatch*>(connection.get()));
    ref.execute("CREATE TABLE Numbers (N INTEGER)");
    ref.execute("INSERT INTO Numbers SELECT generate_series(1, 5000)");

    // The driver reads results in slices, so rows beyond the first slice
    // still have to come from the server.
    RowReader rows = ref.openResultset("SELECT N FROM Numbers ORDER BY N");
    ASSERT_EQ(rows.value("N").toI4(), 1);
    server.stop();

    const Failure failure = failureOf([&] {
        for (; !rows.eof(); rows.moveNext())
            rows.value("N");
    });
    EXPECT_EQ(failure.code, kDatabaseError);
    // A fast shutdown tells each client why (57P01: terminating connection)
    // before it closes the link.
    EXPECT_TRUE(failure.description.starts_with("[SQLSTATE 57P01] ")) << failure.description;

    EXPECT_EQ(codeOf([&] { ref.execute("DELETE FROM Numbers"); }), kDatabaseError);
    EXPECT_FALSE(ref.isOpen());
    EXPECT_EQ(codeOf([&] { connection->queryTimeout(); }), kObjectClosed);
}

} // namespace
