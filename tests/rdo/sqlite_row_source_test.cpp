// Values from embedded SQLite take their type from what each row holds; only
// a column declared as a date turns date text into a date.
#include "test_database.h"

#include "platform/automation/ole_date.h"
#include "platform/automation/variant.h"
#include "platform/rdo/database_error.h"
#include "platform/rdo/session_factory.h"
#include "platform/rdo/sqlite/sqlite_statement.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

using namespace vorn::automation;
using namespace vorn::rdo;
using namespace vorn::rdo::test;

namespace {

struct Stored {
    const char* declared;
    const char* literal;
    VARTYPE type;
    std::string text; // the value as text, for every type but null
};

void PrintTo(const Stored& c, std::ostream* out) {
    *out << c.declared << " " << c.literal;
}

class SqliteValues : public testing::TestWithParam<Stored> {};

TEST_P(SqliteValues, ReadWithTheirOwnType) {
    const Stored& c = GetParam();
    TestDatabase db(Backend::Sqlite);
    db.run(std::string("CREATE TABLE T (V ") + c.declared + ")");
    db.run(std::string("INSERT INTO T VALUES (") + c.literal + ")");
    auto session = openSession("", db.connect(), {});
    auto rows = session->query("SELECT V FROM T");
    ASSERT_FALSE(rows->atEnd());
    const Variant value = valueAt(*rows, 0);
    EXPECT_EQ(value.type(), c.type);
    if (c.type == VT_DATE) {
        EXPECT_EQ(formatGeneralDate(value.toDate()), c.text);
    } else if (c.type != VT_NULL) {
        EXPECT_EQ(value.toString(), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqliteValues,
    testing::Values(Stored{"INTEGER", "42", VT_I4, "42"},
                    Stored{"INTEGER", "-2147483648", VT_I4, "-2147483648"},
                    // Wider than the original databases' integers: a double, still exact.
                    Stored{"INTEGER", "5000000000", VT_R8, "5000000000"},
                    Stored{"", "7", VT_I4, "7"}, Stored{"", "'7'", VT_BSTR, "7"},
                    Stored{"REAL", "1.5", VT_R8, "1.5"}, Stored{"REAL", "NULL", VT_NULL, ""},
                    Stored{"TEXT", "'O''Brien'", VT_BSTR, "O'Brien"},
                    Stored{"DATE", "'1999-03-01'", VT_DATE, "3/1/1999"},
                    Stored{"DATETIME", "'1999-03-02 10:15:00'", VT_DATE, "3/2/1999 10:15:00 AM"},
                    // The text the status builds write back, in "General Date" form.
                    Stored{"datetime", "'3/2/1999 10:15:00 PM'", VT_DATE, "3/2/1999 10:15:00 PM"},
                    Stored{"TIMESTAMP", "'not a date'", VT_BSTR, "not a date"},
                    Stored{"DATE", "36220", VT_I4, "36220"},
                    Stored{"VARCHAR(5)", "X'C3A46263'", VT_BSTR, "äbc"}));

TEST(SqliteValues, RowsOfOneColumnMayDifferInType) {
    TestDatabase db(Backend::Sqlite);
    db.run("CREATE TABLE T (V)");
    db.run("INSERT INTO T VALUES (1), ('one'), (1.5), (NULL)");
    auto rows = openSession("", db.connect(), {})->query("SELECT V FROM T");
    std::vector<VARTYPE> types;
    for (; !rows->atEnd(); rows->moveNext())
        types.push_back(valueAt(*rows, 0).type());
    EXPECT_EQ(types, (std::vector<VARTYPE>{VT_I4, VT_BSTR, VT_R8, VT_NULL}));
}

} // namespace

// The writer side the sample tracker uses: an empty text kept apart from
// null, a failed run that raises and leaves the statement usable.
TEST(SqliteWriter, BindsAndSurvivesAFailedRun) {
    SqliteDatabase db(":memory:", SqliteDatabase::Mode::Create);
    db.exec("CREATE TABLE T (K INTEGER PRIMARY KEY, V)");
    SqliteStatement insert(db, "INSERT INTO T VALUES (?, ?)");
    insert.bindInteger(1, 1);
    insert.bindText(2, std::string_view());
    insert.run();
    insert.bindNull(2);
    EXPECT_THROW(insert.run(), DatabaseError); // the same key again
    insert.bindInteger(1, 2);
    insert.run();
    SqliteStatement types(db, "SELECT typeof(V) FROM T ORDER BY K");
    std::vector<std::string> seen;
    while (types.step())
        seen.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(types.handle(), 0)));
    EXPECT_EQ(seen, (std::vector<std::string>{"text", "null"}));
}
