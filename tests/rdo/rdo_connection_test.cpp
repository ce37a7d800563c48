// One body of data-access cases run on every backend: embedded SQLite, SQLite
// through its ODBC driver, and a real PostgreSQL server. The component reaches
// connections only through ConnectionRef and RowReader, so the cases do too.
#include "test_database.h"
#include "tests/support/error_code.h"

#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "platform/automation/ole_date.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace vorn::automation;
using namespace vorn::rdo;
using namespace vorn::rdo::test;
using namespace vorn::test;

namespace {

class DataAccess : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::PostgreSql && postgreSqlSkipped())
            GTEST_SKIP() << "VORN_SKIP_PG is set";
        db_ = std::make_unique<TestDatabase>(GetParam());
        db_->run("CREATE TABLE Sample (Id INTEGER, Name VARCHAR(200), Amount DOUBLE PRECISION, "
                 "Created TIMESTAMP)");
        db_->run("INSERT INTO Sample VALUES (1, 'O''Brien', 2.5, '1999-03-01 00:00:00')");
        db_->run("INSERT INTO Sample VALUES (2, 'Zoë Ünïcødé ✓', -0.125, '2024-02-29 13:45:10')");
        db_->run("INSERT INTO Sample VALUES (3, NULL, NULL, NULL)");
        environment_ = makeObject<RdoEnvironment>();
        connection_ = environment_->openConnection("", false, db_->connect());
    }

    ConnectionRef ref() const { return ConnectionRef(connection_.get()); }

    std::unique_ptr<TestDatabase> db_;
    ComPtr<RdoEnvironment> environment_;
    ComPtr<RdoConnection> connection_;
};

TEST_P(DataAccess, ValuesKeepTheirTypesAndNullsAreNull) {
    RowReader rows =
        ref().openResultset("SELECT Id, Name, Amount, Created FROM Sample ORDER BY Id");
    ASSERT_FALSE(rows.eof());
    EXPECT_TRUE(rows.fast()); // our own result set: read through the binary row interface
    for (const auto& [column, type] :
         {std::pair{"Id", VT_I4}, {"Name", VT_BSTR}, {"Amount", VT_R8}, {"Created", VT_DATE}})
        EXPECT_EQ(rows.value(column).type(), type) << column;
    EXPECT_EQ(rows.value("Name").toString(), "O'Brien");
    EXPECT_DOUBLE_EQ(rows.value("Amount").toR8(), 2.5);
    EXPECT_DOUBLE_EQ(rows.value("Created").toDate(), makeDate({1999, 3, 1}));

    rows.moveNext();
    EXPECT_EQ(rows.value("Name").toString(), "Zoë Ünïcødé ✓");
    EXPECT_DOUBLE_EQ(rows.value("Amount").toR8(), -0.125);
    EXPECT_DOUBLE_EQ(rows.value("Created").toDate(), makeDate({2024, 2, 29, 13, 45, 10}));

    rows.moveNext();
    EXPECT_EQ(rows.value("Id").toI4(), 3);
    for (const char* column : {"Name", "Amount", "Created"})
        EXPECT_TRUE(rows.value(column).isNull()) << column;

    rows.moveNext();
    EXPECT_TRUE(rows.eof());
    rows.close();
}

TEST_P(DataAccess, InvalidSqlCarriesTheDatabaseMessageAndAnEmptyResultHasNoRow) {
    const Failure failure = failureOf([&] { ref().openResultset("SELECT * FROM nosuch"); });
    EXPECT_EQ(failure.code, kDatabaseError);
    EXPECT_NE(failure.description.find("nosuch"), std::string::npos) << failure.description;
    if (GetParam() == Backend::PostgreSql)
        EXPECT_TRUE(failure.description.starts_with("[SQLSTATE 42P01] ")) << failure.description;
    else if (GetParam() == Backend::SqliteOdbc)
        EXPECT_TRUE(failure.description.starts_with("[SQLSTATE ")) << failure.description;
    else
        EXPECT_EQ(failure.description, "no such table: nosuch");

    expectError([&] { ref().execute("INSERT INTO nosuch VALUES (1)"); }, kDatabaseError, "nosuch");

    // An empty result starts at its end.
    RowReader rows = ref().openResultset("SELECT Id FROM Sample WHERE Id = 99");
    EXPECT_TRUE(rows.eof());
    EXPECT_EQ(codeOf([&] { rows.value("Id"); }), kNoCurrentRow);
    EXPECT_EQ(codeOf([&] { rows.moveNext(); }), kNoCurrentRow);
}

TEST_P(DataAccess, AggregatesReadAsNumbersAndExecuteRunsInsertAndDelete) {
    ConnectionRef connection = ref();
    RowReader sums = connection.openResultset(
        "SELECT COUNT(*) AS Total, SUM(Id) AS IdSum, SUM(Amount) AS AmountSum FROM Sample");
    EXPECT_EQ(sums.value("Total").type(), VT_I4);
    EXPECT_EQ(std::pair(sums.value("Total").toI4(), sums.value("IdSum").toI4()), std::pair(3, 6));
    EXPECT_DOUBLE_EQ(sums.value("AmountSum").toR8(), 2.375);

    connection.execute("INSERT INTO Sample (Id, Name) VALUES (4, 'Ärger')");
    EXPECT_EQ(getProperty(connection.dispatch(), "RowsAffected").toI4(), 1);
    connection.execute("DELETE FROM Sample WHERE Id >= 3");
    EXPECT_EQ(getProperty(connection.dispatch(), "RowsAffected").toI4(), 2);
    connection.execute("DELETE FROM Sample WHERE Id = 99"); // matches nothing, still fine
    EXPECT_EQ(getProperty(connection.dispatch(), "RowsAffected").toI4(), 0);

    RowReader rows = connection.openResultset("SELECT COUNT(*) AS N FROM Sample");
    EXPECT_EQ(rows.value("N").toI4(), 2);
}

// Inserts of one shape share a prepared statement on SQLite: each row must
// still get its own values, and a failed one must not spoil the next.
TEST_P(DataAccess, InsertsOfOneShapeKeepTheirOwnValues) {
    ConnectionRef connection = ref();
    connection.execute("INSERT INTO Sample (Id, Name) VALUES (10, 'It''s')");
    connection.execute("INSERT INTO Sample (Id, Name) VALUES (-11, NULL)");
    EXPECT_THROW(connection.execute("INSERT INTO Sample (Id, Nothing) VALUES (12, 'x')"), ComError);
    connection.execute("INSERT INTO Sample (Id, Name) VALUES (13, '')");
    EXPECT_EQ(getProperty(connection.dispatch(), "RowsAffected").toI4(), 1);

    RowReader rows = connection.openResultset(
        "SELECT Id, Name FROM Sample WHERE Id >= 10 OR Id < 0 ORDER BY Id");
    std::vector<std::pair<std::int32_t, std::string>> read;
    for (; !rows.eof(); rows.moveNext())
        read.emplace_back(rows.value("Id").toI4(),
                          rows.value("Name").isNull() ? "NULL" : rows.value("Name").toString());
    EXPECT_EQ(read, (std::vector<std::pair<std::int32_t, std::string>>{
                        {-11, "NULL"}, {10, "It's"}, {13, ""}}));
}

TEST_P(DataAccess, ManyRowsStreamToTheEnd) {
    db_->run("CREATE TABLE Numbers (N INTEGER)");
    db_->run("INSERT INTO Numbers VALUES (0),(1),(2),(3),(4),(5),(6),(7),(8),(9)");
    RowReader rows = ref().openResultset(
        "SELECT a.N * 1000 + b.N * 100 + c.N * 10 + d.N AS V FROM Numbers a, Numbers b, "
        "Numbers c, Numbers d ORDER BY V");
    const std::int32_t column = rows.columnIndex("V");
    std::int32_t expected = 0;
    for (; !rows.eof(); rows.moveNext())
        ASSERT_EQ(rows.value(column).toI4(), expected++);
    EXPECT_EQ(expected, 10000);
}

TEST_P(DataAccess, NumericPropertyOnlyWhileOpen) {
    ConnectionRef connection = ref();
    EXPECT_TRUE(connection.isOpen());
    RowReader rows = connection.openResultset("SELECT Id FROM Sample");
    connection_->close();
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(codeOf([&] { getProperty(connection.dispatch(), "QueryTimeout"); }), kObjectClosed);
    EXPECT_EQ(codeOf([&] {
                  putProperty(connection.dispatch(), "QueryTimeout", Variant(std::int32_t{5}));
              }),
              kObjectClosed);
    EXPECT_EQ(codeOf([&] { connection.execute("DELETE FROM Sample"); }), kObjectClosed);
    // Closing the connection closed its result sets.
    EXPECT_EQ(codeOf([&] { rows.eof(); }), kObjectClosed);
}

INSTANTIATE_TEST_SUITE_P(Backends, DataAccess,
                         testing::Values(Backend::Sqlite, Backend::SqliteOdbc, Backend::PostgreSql),
                         [](const auto& p) { return backendName(p.param); });

} // namespace
