// Which backend a connect string reaches, and the errors of opening.
#include "pg_server.h"
#include "test_database.h"
#include "tests/support/error_code.h"
#include "tests/support/temp_folder.h"

#include "platform/automation/variant.h"
#include "platform/rdo/database_error.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/session_factory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vorn;
using namespace vorn::rdo;
using namespace vorn::rdo::test;
using namespace vorn::test;

namespace {

struct MissingFile {
    const char* connectPrefix;
    const char* connectSuffix;
    const char* expectedStart;
};

class OpenMissingFile : public testing::TestWithParam<MissingFile> {};

TEST_P(OpenMissingFile, FailsAndCreatesNothing) {
    const vorn::test::TempFolder dir;
    const std::filesystem::path path = dir.file("reports.mdb");
    const Failure failure = failureOf([&] {
        openSession("", GetParam().connectPrefix + path.string() + GetParam().connectSuffix, {});
    });
    EXPECT_EQ(failure.code, kDatabaseError);
    EXPECT_TRUE(failure.description.starts_with(GetParam().expectedStart)) << failure.description;
    EXPECT_FALSE(std::filesystem::exists(path));
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, OpenMissingFile,
    testing::Values(MissingFile{"DRIVER={Microsoft Access Driver (*.mdb)};DBQ=",
                                ";DefaultDir=/tmp;", "unable to open database file: /"},
                    MissingFile{"Driver=sqlite;Database=", "", "unable to open database file: /"},
                    MissingFile{"DSN=VornSQLite;Database=", ";NoCreat=1", "[SQLSTATE "}));

TEST(OpenSession, RefusesNoDatabaseAnUnknownDriverAndAStringWithoutADatabase) {
    const vorn::test::TempFolder dir;
    const std::string path = dir.file("notadb.mdb");
    std::ofstream(path)
        << "this is no database, but long enough to have a header of some sort........";
    expectError([&] { openSession("", "DRIVER={SQLite3};DBQ=" + path, {}); }, kDatabaseError,
                "not a database");
    try {
        openSession("", "DRIVER={No Such Driver};Database=x", {});
        ADD_FAILURE() << "opened";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.code(), kDatabaseError);
        EXPECT_EQ(e.sqlState(), "01000") << e.description();
    }
    EXPECT_EQ(codeOf([] { openSession("", "DRIVER={Microsoft Access Driver (*.mdb)};", {}); }),
              kBadConnectString);
    EXPECT_EQ(codeOf([] { openSession("", "Uid=x;Pwd=y", {}); }), kBadConnectString);
}

TEST(OpenSession, TuningKeysSetPragmasAndAcceptOnlyPlainWords) {
    TestDatabase db(Backend::Sqlite);
    auto session = openSession("", db.connect() + "Synchronous=OFF;JournalMode=MEMORY", {});
    auto rows = session->query("PRAGMA journal_mode");
    EXPECT_EQ(valueAt(*rows, 0).toString(), "memory");

    EXPECT_EQ(failureOf([&] {
                  openSession("", db.connect() + "Synchronous={OFF; DROP TABLE x}", {});
              }).code,
              kBadConnectString);
}

} // namespace
