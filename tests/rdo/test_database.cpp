#include "test_database.h"

#include "platform/rdo/session_factory.h"

#include "tests/support/sqlite_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace vorn::rdo::test {
namespace {

// The suite shares one PostgreSQL server per process unless ctest started one
// for the whole run.
class PgServerEnvironment : public testing::Environment {
public:
    void SetUp() override { useQuietOdbcConfig(); }
    void TearDown() override { PgServer::stopShared(); }
};

[[maybe_unused]] testing::Environment* const kPgServerEnvironment =
    testing::AddGlobalTestEnvironment(std::make_unique<PgServerEnvironment>().release());

std::string uniqueName() {
    static std::atomic<int> counter{0};
    return "vorn_t" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

std::string withDatabase(std::string connect, const std::string& database) {
    const std::string key = ";Database=";
    const std::size_t start = connect.find(key);
    const std::size_t end = connect.find(';', start + key.size());
    connect.replace(start + key.size(), end - start - key.size(), database);
    return connect;
}

} // namespace

std::string backendName(Backend backend) {
    static const char* const names[] = {"Sqlite", "SqliteOdbc", "PostgreSql"};
    return names[static_cast<int>(backend)];
}

TestDatabase::TestDatabase(Backend backend) : backend_(backend), file_(folder_.file("test.db")) {
    // An empty file is still a valid database; the schema cookie makes it a real one.
    if (backend != Backend::PostgreSql)
        vorn::test::SqliteFile(file_).run("PRAGMA user_version=1");
    switch (backend) {
    case Backend::Sqlite:
        connect_ = "DRIVER={SQLite3};Database=" + file_ + ";";
        break;
    case Backend::SqliteOdbc:
        // DRIVER={SQLite3} is served in-process; a data source naming the
        // same driver goes through the driver manager. Without StepAPI=1 the
        // driver reads a whole result before the first row, but only then does
        // it type expression columns (COUNT, SUM) from their values.
        connect_ = "DSN=" + std::string(kSqliteOdbcDsn) + ";Database=" + file_ + ";NoCreat=1;";
        break;
    case Backend::PostgreSql: {
        const std::string admin = PgServer::shared().connect();
        pgDatabase_ = uniqueName();
        openSession("", admin, {})->execute("CREATE DATABASE " + pgDatabase_);
        connect_ = withDatabase(admin, pgDatabase_);
        break;
    }
    }
    setup_ = openSession("", connect_, {});
}

TestDatabase::~TestDatabase() {
    setup_.reset();
    if (!pgDatabase_.empty()) {
        try {
            openSession("", PgServer::shared().connect(), {})
                ->execute("DROP DATABASE IF EXISTS " + pgDatabase_ + " WITH (FORCE)");
        } catch (...) {
        }
    }
}

void TestDatabase::run(const std::string& sql) {
    setup_->execute(sql);
}

} // namespace vorn::rdo::test
