#include "host/sample/sqlite_statement.h"

#include "host/sample/sqlite_database.h"

#include "tests/support/error_code.h"
#include "tests/support/sqlite_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorn::host {
namespace {

using automation::E_FAIL;

class SqliteStatementTest : public vorn::test::TempFolderTest {
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
    EXPECT_EQ(vorn::test::SqliteFile(path).column("SELECT typeof(V) FROM T ORDER BY N"),
              (std::vector<vorn::test::SqliteFile::Cell>{"text", "null"}));
}

TEST_F(SqliteStatementTest, ReportsWhatSqliteRejected) {
    SqliteDatabase db(path);
    db.execute("CREATE TABLE T (K INTEGER PRIMARY KEY)");
    vorn::test::expectError([&] { SqliteStatement(db, "INSERT INTO Missing VALUES (1)"); }, E_FAIL,
                            "no such table: Missing");
    vorn::test::expectError([&] { db.execute("SELEKT 1"); }, E_FAIL, "syntax error");
    SqliteStatement insert(db, "INSERT INTO T VALUES (?)");
    insert.bindInteger(1, 7);
    insert.run();
    insert.bindInteger(1, 7);
    vorn::test::expectError([&] { insert.run(); }, E_FAIL, "UNIQUE constraint failed");
    insert.bindInteger(1, 8); // still usable after a failed run
    EXPECT_NO_THROW(insert.run());
    vorn::test::expectError([&] { insert.bindInteger(2, 1); }, E_FAIL, "column index out of range");
}

TEST_F(SqliteStatementTest, NamesAFileThatCannotBeOpened) {
    const std::string nowhere = (folder / "no-such-folder/x.db").string();
    vorn::test::expectError([&] { SqliteDatabase db(nowhere); }, E_FAIL, nowhere);
}

} // namespace
} // namespace vorn::host
