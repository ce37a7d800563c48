#include "host/sample/sqlite_statement.h"

#include "host/sample/sqlite_database.h"

#include "expect_com_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

namespace vorn::host {
namespace {

using automation::E_FAIL;

class SqliteStatementTest : public ::testing::Test {
protected:
    std::string path =
        ::testing::TempDir() + "sqlite_statement_test-" + std::to_string(::getpid()) + ".db";
    void SetUp() override { std::filesystem::remove(path); }
    void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(SqliteStatementTest, KeepsAnEmptyTextApartFromNull) {
    SqliteDatabase db(path);
    db.execute("CREATE TABLE T (N INTEGER PRIMARY KEY, V)");
    SqliteStatement insert(db, "INSERT INTO T (V) VALUES (?)");
    insert.bindText(1, std::string_view());
    insert.run();
    insert.bindNull(1);
    insert.run();
    sqlite3_stmt* raw = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db.handle(), "SELECT typeof(V) FROM T ORDER BY N", -1, &raw, nullptr),
        SQLITE_OK);
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> query(raw, sqlite3_finalize);
    std::vector<std::string> kinds;
    while (sqlite3_step(raw) == SQLITE_ROW)
        kinds.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    EXPECT_EQ(kinds, (std::vector<std::string>{"text", "null"}));
}

TEST_F(SqliteStatementTest, ReportsWhatSqliteRejected) {
    SqliteDatabase db(path);
    db.execute("CREATE TABLE T (K INTEGER PRIMARY KEY)");
    expectComError([&] { SqliteStatement(db, "INSERT INTO Missing VALUES (1)"); }, E_FAIL,
                   "no such table: Missing");
    expectComError([&] { db.execute("SELEKT 1"); }, E_FAIL, "syntax error");
    SqliteStatement insert(db, "INSERT INTO T VALUES (?)");
    insert.bindInteger(1, 7);
    insert.run();
    insert.bindInteger(1, 7);
    expectComError([&] { insert.run(); }, E_FAIL, "UNIQUE constraint failed");
    insert.bindInteger(1, 8); // still usable after a failed run
    EXPECT_NO_THROW(insert.run());
    expectComError([&] { insert.bindInteger(2, 1); }, E_FAIL, "column index out of range");
}

TEST_F(SqliteStatementTest, NamesAFileThatCannotBeOpened) {
    const std::string nowhere = ::testing::TempDir() + "no-such-folder/x.db";
    expectComError([&] { SqliteDatabase db(nowhere); }, E_FAIL, nowhere);
}

} // namespace
} // namespace vorn::host
