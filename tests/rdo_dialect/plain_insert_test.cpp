#include "platform/rdo/dialect/plain_insert.h"
#include "platform/rdo/dialect/translator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn::rdo::dialect {
namespace {

using Kind = LiteralValue::Kind;

struct InsertCase {
    std::string sql;
    std::string shape; // empty: not a plain insert
    std::vector<LiteralValue> values;
};

void PrintTo(const InsertCase& c, std::ostream* out) {
    *out << c.sql;
}

class PlainInserts : public testing::TestWithParam<InsertCase> {};

TEST_P(PlainInserts, splitIntoShapeAndValuesAndNeedNoTranslation) {
    const InsertCase& c = GetParam();
    const auto insert = plainInsert(c.sql);
    if (c.shape.empty()) {
        EXPECT_FALSE(insert) << insert->shape;
        return;
    }
    ASSERT_TRUE(insert);
    EXPECT_EQ(insert->shape, c.shape);
    ASSERT_EQ(insert->values.size(), c.values.size());
    for (std::size_t i = 0; i < c.values.size(); ++i) {
        EXPECT_EQ(insert->values[i].kind, c.values[i].kind) << i;
        EXPECT_EQ(insert->values[i].integer, c.values[i].integer) << i;
        EXPECT_EQ(insert->values[i].text, c.values[i].text) << i;
    }
    // Skipping the translation is only right while it would change nothing.
    for (Target target : {Target::SQLite, Target::PostgreSQL, Target::SqlServer, Target::Access})
        for (SourceDialect declared : {SourceDialect::Common, SourceDialect::Access})
            EXPECT_EQ(translate(c.sql, target, declared).sql, c.sql);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlainInserts,
    testing::ValuesIn(std::vector<InsertCase>{
        {"INSERT INTO ProjectDetails (AssignedTo,FolderPath,ItemsComplete,ItemsTotal) VALUES "
         "('O''Brien','Projects\\Q&A', 5,-12)",
         "INSERT INTO ProjectDetails (AssignedTo,FolderPath,ItemsComplete,ItemsTotal) VALUES "
         "(?,?,?,?)",
         {{Kind::Text, 0, "O'Brien"},
          {Kind::Text, 0, "Projects\\Q&A"},
          {Kind::Integer, 5, ""},
          {Kind::Integer, -12, ""}}},
        {" insert  into t ( a , b,c )\nvalues ( '' , null,'''x''' ) ; ",
         "INSERT INTO t (a,b,c) VALUES (?,?,?)",
         {{Kind::Text, 0, ""}, {Kind::Null, 0, ""}, {Kind::Text, 0, "'x'"}}},
        {"INSERT INTO t (a) VALUES (999999999999999999)",
         "INSERT INTO t (a) VALUES (?)",
         {{Kind::Integer, 999999999999999999, ""}}},
        // Everything else goes the usual way.
        {"INSERT INTO t (a) VALUES (9999999999999999999)", "", {}},
        {"INSERT INTO t (a) VALUES (1.5)", "", {}},
        {"INSERT INTO t (a) VALUES (1e3)", "", {}},
        {"INSERT INTO t (a) VALUES ('x' & 'y')", "", {}},
        {"INSERT INTO t (a) VALUES (\"x\")", "", {}},
        {"INSERT INTO [t] (a) VALUES (1)", "", {}},
        {"INSERT INTO t VALUES (1)", "", {}},
        {"INSERT INTO t (a) SELECT 1", "", {}},
        {"INSERT INTO t (a) VALUES (1), (2)", "", {}},
        {"INSERT INTO t (a) VALUES (1); DELETE FROM t", "", {}},
        {"INSERT INTO t (a) VALUES ('open", "", {}},
        {"INSERT INTO t (a) VALUES (1) -- note", "", {}},
        {"INSERT INTO Nz (a) VALUES (1)", "", {}},
        {"UPDATE t SET a = 1", "", {}}}));

} // namespace
} // namespace vorn::rdo::dialect
