#include "host/sample/sqlite_statement.h"

#include "host/sample/sqlite_database.h"

#include "expect_com_error.h"
#include "raw_sqlite_reader.h"
#include "temp_folder_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorn::host {
namespace {

using automation::E_FAIL;

class SqliteStatementTest : public TempFolderTest {
protected:
    std::string path = (folder / "statement.db").string();
};

TEST_F(SqliteStatementTest, KeepsAnEmptyTextApartFromNull) {
    SqliteDatabase db(path);
    db.execute("CREATE TABLE T (N INTEGER PRIMARY KEY, V)");
    SqliteStatement insert(db, "INSERT INTO T (V) VALUES (?)");
    insert.bindText(1, std::string_view());
    insert.run();
    insert.bindNull(1);
    insert.run();
    EXPECT_EQ(RawSqliteReader(path).column("SELECT typeof(V) FROM T ORDER BY N"),
              (std::vector<RawSqliteReader::Text>{"text", "null"}));
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
    const std::string nowhere = (folder / "no-such-folder/x.db").string();
    expectComError([&] { SqliteDatabase db(nowhere); }, E_FAIL, nowhere);
}

} // namespace
} // namespace vorn::host
