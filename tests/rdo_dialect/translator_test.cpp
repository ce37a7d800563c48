#include "data/status_queries.h"
#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/dialect/sql_parser.h"
#include "platform/rdo/dialect/tokenizer.h"
#include "platform/rdo/dialect/translator.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn::rdo::dialect {
namespace {

// A failing case is named by the text it translates.
template <typename Case>
requires requires(const Case& c) {
    c.sql;
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.sql;
}

// --- the targets that run the legacy texts themselves ------------------------

TEST(Translate, leavesEachProductsOwnFormUntouched) {
    for (const auto& [target, product] :
         {std::pair{Target::SqlServer, "SQL Server"}, {Target::Access, "Access"}}) {
        for (const std::string& sql :
             {projectStatusQuery(product), userStatusQuery(product, "bob"),
              userStatusQuery(product, ""), std::string("SELECT [x] FROM [t]")}) {
            const Translation t = translate(sql, target);
            EXPECT_EQ(t.sql, sql);
            EXPECT_FALSE(t.crosstab);
        }
    }
    EXPECT_EQ(translate("DELETE * FROM ProjectDetails", Target::Access).sql,
              "DELETE * FROM ProjectDetails");
}

// --- the status builds' texts ------------------------------------------------
// What they count, through the Access forms' crosstabs too, is checked by
// running them on every backend; here, how the server forms compute it.

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The outer WHERE drops every row whose project columns are rolled up, so of
// the sixteen grouping sets only the two that keep them are computed.
TEST(Translate, serverStatusFormsComputeOnlyTheTwoGroupingSetsTheyKeep) {
    for (const std::string& sql :
         {projectStatusQuery("SQL Server"), userStatusQuery("SQL Server", "Jörg Ärger")}) {
        const std::string sqlite = translate(sql, Target::SQLite).sql;
        EXPECT_EQ(occurrences(sqlite, " UNION ALL SELECT "), 1u) << sqlite;
        const std::string postgres = translate(sql, Target::PostgreSQL).sql;
        const std::size_t sets = postgres.find("GROUP BY GROUPING SETS ((");
        ASSERT_NE(sets, std::string::npos) << postgres;
        EXPECT_EQ(occurrences(postgres.substr(sets, postgres.find(" AS P1") - sets), "), ("), 1u)
            << postgres;
    }
}

// --- smaller rewrites ---------------------------------------------------------

struct RewriteCase {
    std::string sql;
    std::string sqlite{};   // empty: the text itself
    std::string postgres{}; // empty: as on SQLite
};

class Rewrites : public testing::TestWithParam<RewriteCase> {};

TEST_P(Rewrites, giveEachTargetItsForm) {
    const RewriteCase& c = GetParam();
    const std::string sqlite = c.sqlite.empty() ? c.sql : c.sqlite;
    for (const auto& [target, expected] :
         {std::pair{Target::SQLite, sqlite},
          {Target::PostgreSQL, c.postgres.empty() ? sqlite : c.postgres}}) {
        const Translation t = translate(c.sql, target);
        EXPECT_EQ(t.sql, expected);
        EXPECT_EQ(t.crosstab.has_value(), c.sql.starts_with("TRANSFORM"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rewrites,
    testing::ValuesIn(std::vector<RewriteCase>{
        // Common statements pass through apart from their quoted names.
        {"SELECT * FROM Items WHERE Status = 'Open' ORDER BY ItemIndex"},
        {"SELECT ProjectIndex From Items WHERE ItemIndex= 42"},
        {"SELECT ProjectParent,ProjectName From Projects WHERE ProjectIndex=-3"},
        {"INSERT INTO ProjectDetails "
         "(FolderPath,ProjectName,ProjectCreated,ItemsComplete,ItemsIncomplete,ItemsTotal) "
         "VALUES ('Projects\\O''Brien\\Docs','O''Brien','3/1/1999', 5, 3, 8)"},
        {"SELECT CustomField, CustomName, CustomType FROM Custom -- fields\n"},
        {"SELECT [Items].[Status], [Total of ItemIndex], [Order] FROM [Items]",
         "SELECT Items.Status, \"total of itemindex\", \"order\" FROM Items"},
        {"SELECT [Größe], \"Total Of ItemIndex\" FROM t",
         "SELECT \"größe\", \"total of itemindex\" FROM t"},
        {"UPDATE Items SET Status = 'Closed' WHERE ItemIndex = 7"},
        {"SELECT ISNULL(a, 0) FROM t WHERE 'x' = b AND c = d",
         "SELECT COALESCE(a, 0) FROM t WHERE 'x' COLLATE NOCASE = b AND c = d",
         "SELECT COALESCE(a, 0) FROM t WHERE lower('x') = lower(b) AND c = d"},
        {"SELECT a FROM t WHERE IsNull(b) OR b<>'Open'",
         "SELECT a FROM t WHERE (b IS NULL) OR b<>'Open' COLLATE NOCASE",
         "SELECT a FROM t WHERE (b IS NULL) OR lower(b)<>lower('Open')"},
        {"SELECT CASE ISNULL(s, 'x') WHEN 'A' THEN 1 WHEN 2 THEN 2 END FROM t",
         "SELECT CASE COALESCE(s, 'x') COLLATE NOCASE WHEN 'A' THEN 1 WHEN 2 THEN 2 "
         "END FROM t",
         "SELECT CASE lower(COALESCE(s, 'x')) WHEN lower('A') THEN 1 WHEN 2 THEN 2 "
         "END FROM t"},
        {"SELECT a, ISNULL(b, 1) FROM t WHERE a LIKE 'x%' AND a IN (SELECT "
         "ISNULL(c, 'y') FROM u WHERE c = 'z')",
         "SELECT a, COALESCE(b, 1) FROM t WHERE a LIKE 'x%' AND a IN (SELECT "
         "COALESCE(c, 'y') FROM u WHERE c = 'z' COLLATE NOCASE)",
         "SELECT a, COALESCE(b, 1) FROM t WHERE a ILIKE 'x%' AND a IN (SELECT "
         "COALESCE(c, 'y') FROM u WHERE lower(c) = lower('z'))"},
        {"SELECT Nz(a, 0), IIf(b = \"x\", 1, 2) FROM t WHERE c = \"O'Brien\"",
         "SELECT COALESCE(a, 0), CASE WHEN b = 'x' COLLATE NOCASE THEN 1 ELSE 2 END "
         "FROM t WHERE c = 'O''Brien' COLLATE NOCASE",
         "SELECT COALESCE(a, 0), CASE WHEN lower(b) = lower('x') THEN 1 ELSE 2 END "
         "FROM t WHERE lower(c) = lower('O''Brien')"},
        {"SELECT a, b, GROUPING(b) AS g, Sum(n) FROM t GROUP BY a, b WITH ROLLUP",
         "SELECT a, b, 0 AS g, Sum(n) FROM t GROUP BY a, b UNION ALL SELECT a, NULL, "
         "1 AS g, Sum(n) FROM t GROUP BY a UNION ALL SELECT NULL, NULL, 1 AS g, Sum(n) "
         "FROM t",
         "SELECT a, b, GROUPING(b) AS g, Sum(n) FROM t GROUP BY ROLLUP(a, b)"},
        {"SELECT a, Count(a) FROM t GROUP BY a WITH CUBE HAVING Count(a) > 1 ORDER BY 1",
         "SELECT a, Count(a) FROM t GROUP BY a HAVING Count(a) > 1 UNION ALL SELECT "
         "NULL, Count(a) FROM t HAVING Count(a) > 1 ORDER BY 1",
         "SELECT a, Count(a) FROM t GROUP BY CUBE(a) HAVING Count(a) > 1 ORDER BY 1"},
        // Grouping sets the enclosing WHERE discards are left out ...
        {"SELECT * FROM (SELECT a, b AS bb, Sum(n) AS s FROM t GROUP BY a, b WITH "
         "CUBE) [X] WHERE ((x.BB Is Not Null) AND s > 0)",
         "SELECT * FROM (SELECT a, b AS bb, Sum(n) AS s FROM t GROUP BY a, b UNION ALL "
         "SELECT NULL, b AS bb, Sum(n) AS s FROM t GROUP BY b) X WHERE ((x.BB Is "
         "Not Null) AND s > 0)",
         "SELECT * FROM (SELECT a, b AS bb, Sum(n) AS s FROM t GROUP BY GROUPING SETS "
         "((a, b), (b))) X WHERE ((x.BB Is Not Null) AND s > 0)"},
        {"SELECT * FROM (SELECT a, b, Sum(n) AS s FROM t GROUP BY a, b WITH ROLLUP) "
         "AS r WHERE r.a IS NOT NULL",
         "SELECT * FROM (SELECT a, b, Sum(n) AS s FROM t GROUP BY a, b UNION ALL "
         "SELECT a, NULL, Sum(n) AS s FROM t GROUP BY a) AS r WHERE r.a IS NOT NULL",
         "SELECT * FROM (SELECT a, b, Sum(n) AS s FROM t GROUP BY GROUPING SETS ((a, "
         "b), (a))) AS r WHERE r.a IS NOT NULL"},
        // ... and kept when the column is computed: it may be null in every row.
        {"SELECT * FROM (SELECT ISNULL(a, 0) AS a, Count(a) AS c FROM t GROUP BY a "
         "WITH CUBE) AS r WHERE r.a IS NOT NULL",
         "SELECT * FROM (SELECT COALESCE(a, 0) AS a, Count(a) AS c FROM t GROUP BY a "
         "UNION ALL SELECT COALESCE(NULL, 0) AS a, Count(a) AS c FROM t) AS r WHERE "
         "r.a IS NOT NULL",
         "SELECT * FROM (SELECT COALESCE(a, 0) AS a, Count(a) AS c FROM t GROUP BY "
         "CUBE(a)) AS r WHERE r.a IS NOT NULL"},
        // Columns written without blanks, and a grand total without aggregates.
        {"SELECT a,b FROM t GROUP BY a,b WITH CUBE",
         "SELECT a,b FROM t GROUP BY a, b UNION ALL SELECT NULL,b FROM t GROUP BY b "
         "UNION ALL SELECT a,NULL FROM t GROUP BY a UNION ALL SELECT CASE WHEN "
         "Count(*) >= 0 THEN NULL END,NULL FROM t",
         "SELECT a,b FROM t GROUP BY CUBE(a,b)"},
        {"SELECT 'k' AS k, Count(*) FROM t GROUP BY a WITH CUBE",
         "SELECT 'k' AS k, Count(*) FROM t GROUP BY a UNION ALL SELECT 'k' AS k, "
         "Count(*) FROM t",
         "SELECT 'k' AS k, Count(*) FROM t GROUP BY CUBE(a)"},
        // Text joined with + and &.
        {"SELECT 'Item ' + Title, a + 'x' + Upper(b), n + 1, 1 + '2' FROM t",
         "SELECT ('Item ' || Title), (a || 'x' || Upper(b)), n + 1, 1 + '2' FROM t"},
        {"SELECT a & \": \" & b + 1 FROM t WHERE a&b = 'xy'",
         "SELECT (COALESCE(CAST(a AS TEXT), '') || ': ' || COALESCE(CAST((b + 1) AS "
         "TEXT), '')) FROM t WHERE (COALESCE(CAST(a AS TEXT), '')||COALESCE(CAST(b AS "
         "TEXT), '')) = 'xy' COLLATE NOCASE",
         "SELECT (COALESCE(CAST(a AS TEXT), '') || ': ' || COALESCE(CAST((b + 1) AS "
         "TEXT), '')) FROM t WHERE lower((COALESCE(CAST(a AS TEXT), '')||COALESCE(CAST(b "
         "AS TEXT), ''))) = lower('xy')"},
        {"TRANSFORM Sum(i.n) SELECT [i].[p] FROM (i INNER JOIN q ON i.p = q.p) "
         "WHERE i.s <> 'x' GROUP BY i.p PIVOT Format(i.d, 'yyyy') IN ('2001', 2002);",
         "SELECT i.p, NULL AS xtab_pivot, NULL AS xtab_cell, 0 AS xtab_kind FROM (i "
         "INNER JOIN q ON i.p = q.p) WHERE i.s <> 'x' COLLATE NOCASE GROUP BY i.p "
         "UNION ALL SELECT i.p, Format(i.d, 'yyyy') AS xtab_pivot, Sum(i.n) AS "
         "xtab_cell, 1 AS xtab_kind FROM (i INNER JOIN q ON i.p = q.p) WHERE i.s <> "
         "'x' COLLATE NOCASE GROUP BY i.p, Format(i.d, 'yyyy') ORDER BY 1, 4;",
         "SELECT i.p, NULL AS xtab_pivot, NULL AS xtab_cell, 0 AS xtab_kind FROM (i "
         "INNER JOIN q ON i.p = q.p) WHERE lower(i.s) <> lower('x') GROUP BY i.p "
         "UNION ALL SELECT i.p, Format(i.d, 'yyyy') AS xtab_pivot, Sum(i.n) AS "
         "xtab_cell, 1 AS xtab_kind FROM (i INNER JOIN q ON i.p = q.p) WHERE "
         "lower(i.s) <> lower('x') GROUP BY i.p, Format(i.d, 'yyyy') ORDER BY 1, "
         "4;"}}));

// Grouping sets are kept whenever the WHERE might let a rolled-up row through:
// under OR or NOT, beside a test of another table, or as IS NULL.
TEST(Translate, groupingSetsStayWhereTheWhereMightLetARolledUpRowThrough) {
    for (const std::string where : {"r.a IS NOT NULL OR r.c > 1", "NOT (r.a IS NOT NULL)",
                                    "u.a IS NOT NULL AND r.a IS NULL"}) {
        const std::string sql =
            "SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY a WITH CUBE) AS r, u WHERE " +
            where;
        EXPECT_NE(translate(sql, Target::SQLite)
                      .sql.find(" UNION ALL SELECT NULL, Count(a) AS c "
                                "FROM t) AS r, u WHERE "),
                  std::string::npos)
            << where;
        EXPECT_NE(translate(sql, Target::PostgreSQL).sql.find("GROUP BY CUBE(a)) AS r"),
                  std::string::npos)
            << where;
    }
}

// Cells of statuses that differ only in case land in one column; whether they
// add up must not hang on the spacing of the aggregate's text.
TEST(Translate, crosstabCellsAddUpForCountsAndSumsOnly) {
    for (const auto& [aggregate, additive] :
         std::vector<std::pair<std::string, bool>>{{"Count(Items.ItemIndex) AS [The Value]", true},
                                                   {"count ( x )", true},
                                                   {"SUM(x)", true},
                                                   {"Avg(x)", false},
                                                   {"Count(x) + 1", false}}) {
        const Translation t = translate(
            "TRANSFORM " + aggregate + " SELECT p FROM t GROUP BY p PIVOT s", Target::SQLite);
        ASSERT_TRUE(t.crosstab);
        EXPECT_EQ(t.crosstab->additiveCells, additive) << aggregate;
    }
    // A PIVOT IN list fixes the columns.
    const Translation t = translate(
        "TRANSFORM Count(x) SELECT p FROM t GROUP BY p PIVOT s IN ('Open', 'Completed', 3)",
        Target::SQLite);
    ASSERT_TRUE(t.crosstab);
    EXPECT_EQ(t.crosstab->fixedPivotValues, (std::vector<std::string>{"Open", "Completed", "3"}));
}

// A text that shows no dialect of its own is read as the connection's
// database declares: in Access SQL "Open" is a text, elsewhere a name.
TEST(Translate, declaredAccessReadsDoubleQuotesAsText) {
    const std::string select = "SELECT * FROM Items WHERE Status = \"Open\"";
    const std::string insert = "INSERT INTO t (a) VALUES (\"O'Brien\")";
    for (Target target : {Target::SQLite, Target::PostgreSQL}) {
        EXPECT_EQ(translate(select, target, SourceDialect::Access).sql,
                  "SELECT * FROM Items WHERE Status = 'Open'");
        EXPECT_EQ(translate(insert, target, SourceDialect::Access).sql,
                  "INSERT INTO t (a) VALUES ('O''Brien')");
        EXPECT_EQ(translate(select, target).sql, "SELECT * FROM Items WHERE Status = Open");
        EXPECT_EQ(translate("SELECT a & b FROM t", target, SourceDialect::Access).sql,
                  "SELECT (COALESCE(CAST(a AS TEXT), '') || COALESCE(CAST(b AS TEXT), '')) FROM t");
    }
    // SQL Server runs the rest as written, its bracketed names too.
    EXPECT_EQ(translate("DELETE * FROM Items WHERE [Status] = \"Open\"", Target::SqlServer).sql,
              "DELETE FROM Items WHERE [Status] = 'Open'");
    EXPECT_EQ(translate("DELETE Items.* FROM Items", Target::SqlServer).sql, "DELETE FROM Items");
}

std::string nested(const std::string& open, const std::string& inner, const std::string& close,
                   int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += open;
    text += inner;
    for (int i = 0; i < levels; ++i)
        text += close;
    return text;
}

// Every form of nesting the parser recurses on stops at the limit with an
// error, not a crash; just below the limit it still translates.
TEST(Translate, nestingHasALimit) {
    const auto forms = [](int levels) {
        return std::vector<std::string>{
            "SELECT ISNULL(a, 0) FROM t WHERE " + nested("(", "a = 1", ")", levels),
            "SELECT ISNULL(a, 0) FROM t WHERE " + nested("NOT ", "a = 1", "", levels),
            "SELECT ISNULL(a, 0) FROM t WHERE a = " + nested("- ", "1", "", levels),
            "SELECT ISNULL(a, 0) FROM " + nested("(", "t", ")", levels),
            "SELECT ISNULL(a, 0) FROM t WHERE a IN " +
                nested("(SELECT a FROM t WHERE a IN ", "(1)", ")", levels),
            "SELECT ISNULL(" + nested("IIf(a, ", "1", ", 0)", levels) + ", 0) FROM t",
        };
    };
    for (const std::string& sql : forms(SqlParser::kMaxNesting - 2)) {
        for (Target target : {Target::SQLite, Target::PostgreSQL}) {
            EXPECT_NO_THROW(translate(sql, target)) << sql.substr(0, 60);
        }
    }
    for (const std::string& sql : forms(10000)) {
        vorn::test::expectError<DialectError>(
            [&] { translate(sql, Target::SQLite); }, kUnsupportedConstruct,
            "nesting deeper than " + std::to_string(SqlParser::kMaxNesting) + " levels");
    }
}

// --- telling the dialects apart ----------------------------------------------

struct DialectCase {
    std::string sql;
    SourceDialect dialect;
    std::string construct;
};

class Dialects : public testing::TestWithParam<DialectCase> {};

TEST_P(Dialects, areToldFromTheText) {
    const DialectFinding finding = detectDialect(tokenize(GetParam().sql));
    EXPECT_EQ(finding.dialect, GetParam().dialect);
    EXPECT_EQ(finding.construct, GetParam().construct);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Dialects,
    testing::ValuesIn(std::vector<DialectCase>{
        {projectStatusQuery("Access"), SourceDialect::Access, "TRANSFORM"},
        {"  transform Count(x) SELECT ...", SourceDialect::Access, "TRANSFORM"},
        {"DELETE * FROM ProjectDetails", SourceDialect::Access, "DELETE *"},
        {"DELETE t.* FROM t", SourceDialect::Access, "DELETE *"},
        {"SELECT IsNull(a) FROM t", SourceDialect::Access, "IsNull(x)"},
        {projectStatusQuery("SQL Server"), SourceDialect::TransactSql, "WITH CUBE"},
        {"SELECT a FROM t GROUP BY a with rollup", SourceDialect::TransactSql, "WITH ROLLUP"},
        {"SELECT ISNULL(f(a, b), 0) FROM t", SourceDialect::TransactSql, "ISNULL(a, b)"},
        {"SELECT Nz(a, 0) FROM t", SourceDialect::Access, "Nz"},
        {"SELECT a FROM t WHERE iif(a, 1, 0) = 1", SourceDialect::Access, "IIf"},
        {"SELECT a & ' ' & b FROM t", SourceDialect::Access, "&"},
        {"SELECT a FROM t WHERE Flags & 4 = 4", SourceDialect::Common, ""},
        {"SELECT ISNULL(a, 0) & 1 FROM t", SourceDialect::TransactSql, "ISNULL(a, b)"},
        {"SELECT 'x' + a FROM t", SourceDialect::TransactSql, "+ joining text"},
        {"SELECT a+'x' FROM t", SourceDialect::TransactSql, "+ joining text"},
        {"SELECT a + 1, '&' FROM t", SourceDialect::Common, ""},
        {"DELETE FROM ProjectDetails", SourceDialect::Common, ""},
        {"SELECT 'WITH CUBE', [ISNULL] FROM t", SourceDialect::Common, ""},
        {"SELECT * FROM Items WHERE Status = 'Open'", SourceDialect::Common, ""}}));

// --- what has no translation -------------------------------------------------

struct ErrorCase {
    std::string sql;
    std::string construct;
    Target target = Target::SQLite;
    automation::HRESULT code = kUnsupportedConstruct;
};

class Errors : public testing::TestWithParam<ErrorCase> {};

TEST_P(Errors, nameTheConstruct) {
    try {
        translate(GetParam().sql, GetParam().target);
        FAIL() << "translated";
    } catch (const DialectError& e) {
        EXPECT_EQ(e.code(), GetParam().code);
        EXPECT_EQ(e.construct(), GetParam().construct);
        EXPECT_NE(std::string(e.what()).find(GetParam().construct), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Errors,
    testing::ValuesIn(std::vector<ErrorCase>{
        {"TRANSFORM Count(x) SELECT p FROM t GROUP BY p", "TRANSFORM without PIVOT"},
        {"TRANSFORM Count(x) PIVOT s", "TRANSFORM without SELECT", Target::PostgreSQL},
        {"TRANSFORM Count(x) SELECT p FROM t PIVOT s", "TRANSFORM without GROUP BY"},
        {"TRANSFORM Count(x) SELECT p FROM t GROUP BY p HAVING Count(x) > 1 PIVOT s",
         "HAVING in TRANSFORM"},
        {"TRANSFORM Count(x) SELECT p FROM t GROUP BY p ORDER BY p PIVOT s",
         "ORDER BY in TRANSFORM"},
        {"TRANSFORM Count(x) SELECT p FROM t GROUP BY p, q PIVOT s",
         "TRANSFORM grouping by a column it does not select"},
        {"TRANSFORM Count(x) SELECT t.* FROM t GROUP BY p PIVOT s",
         "* in the SELECT list of a TRANSFORM"},
        {"TRANSFORM Count(x) SELECT p FROM t GROUP BY p PIVOT s IN (a)",
         "PIVOT IN with a value that is not a constant"},
        {"TRANSFORM Count(x) SELECT p FROM t GROUP BY p WITH CUBE PIVOT s",
         "WITH CUBE or ROLLUP in TRANSFORM"},
        {projectStatusQuery("Access"), "TRANSFORM on SQL Server", Target::SqlServer},
        {projectStatusQuery("SQL Server"), "WITH CUBE in Access", Target::Access},
        {"UPDATE t SET a = ISNULL(b, 0)", "ISNULL(a, b) in UPDATE statements"},
        {"SELECT a FROM t WHERE IsNull(b) AND a LIKE 'x*'", "LIKE in Access SQL",
         Target::PostgreSQL},
        {"SELECT ISNULL(GROUPING(a), 0) FROM t GROUP BY a", "GROUPING without CUBE or ROLLUP"},
        {"SELECT a, GROUPING(b) FROM t GROUP BY a WITH CUBE",
         "GROUPING of a column not in GROUP BY"},
        {"SELECT a FROM t GROUP BY a WITH CUBE UNION SELECT b FROM u",
         "WITH CUBE or ROLLUP in a UNION"},
        {"SELECT a FROM t GROUP BY a, b, c, d, e, f, g, h, i, j, k, l, m WITH CUBE",
         "WITH CUBE over more than 12 columns"},
        {"SELECT Nz(a) FROM t", "Nz without a value if null"},
        {"SELECT IIf(a, b) FROM t", "IIf with 2 arguments", Target::PostgreSQL},
        {"SELECT TOP 5 ISNULL(a, 0) FROM t", "SELECT TOP"},
        {"SELECT ISNULL(a, 0) INTO x FROM t", "SELECT INTO"},
        {"TRANSFORM Count(x) SELECT p FROM t WHERE d > #1/1/1999# GROUP BY p PIVOT s",
         "date literal #...#"},
        {"SELECT ISNULL(a, 0, 1), IsNull(b) FROM t", "ISNULL with 3 arguments"},
        {"SELECT ISNULL(a, 0) FROM t WHERE b = 'o'neil'", "unterminated string literal",
         Target::PostgreSQL, kMalformedSql},
        {"SELECT [Total", "unterminated bracketed name", Target::SQLite, kMalformedSql},
        {"SELECT \"x", "unterminated quoted name", Target::SQLite, kMalformedSql},
        {"SELECT 1 /* no end", "unterminated comment", Target::SQLite, kMalformedSql},
        {"SELECT ISNULL(a, 0) FROM (SELECT b FROM t", "')' expected, end of statement",
         Target::SQLite, kMalformedSql},
        {"SELECT ISNULL(a, 0) FROM t WHERE", "end of statement", Target::SQLite, kMalformedSql},
        {"SELECT ISNULL(a, 0) FROM t x y", "unexpected 'y'", Target::SQLite, kMalformedSql},
        // Whatever else stands before FROM would be dropped, deleting every row.
        {"DELETE junk WHERE ItemIndex = 1 FROM Items", "unexpected 'WHERE' before FROM of DELETE",
         Target::SQLite, kMalformedSql},
        {"DELETE *", "DELETE without FROM", Target::SQLite, kMalformedSql},
        {"SELECT a + b + 'x' FROM t", "+ that both adds and joins text"},
        {"SELECT 'x' + b * 2 FROM t", "+ joining text beside other arithmetic", Target::PostgreSQL},
        {"SELECT * FROM t GROUP BY a WITH ROLLUP", "* in a SELECT WITH CUBE or ROLLUP"},
        {"SELECT a & 'b' FROM t", "& on SQL Server", Target::SqlServer}}));

} // namespace
} // namespace vorn::rdo::dialect
