#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/dialect/tokenizer.h"
#include "platform/rdo/dialect/translator.h"
#include "tests/rdo_dialect/status_queries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn::rdo::dialect {
namespace {

using namespace test;

// --- statements that need no rewriting --------------------------------------

struct PassCase {
    std::string sql;
    std::string expected; // on SQLite and PostgreSQL; empty: the text itself
};

std::ostream& operator<<(std::ostream& out, const PassCase& c) {
    return out << c.sql;
}

class CommonStatements : public testing::TestWithParam<PassCase> {};

TEST_P(CommonStatements, passThroughApartFromQuotedNames) {
    const PassCase& c = GetParam();
    for (Target target : {Target::SQLite, Target::PostgreSQL}) {
        const Translation t = translate(c.sql, target);
        EXPECT_EQ(t.sql, c.expected.empty() ? c.sql : c.expected);
        EXPECT_FALSE(t.crosstab.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommonStatements,
    testing::Values(
        PassCase{"SELECT * FROM Items WHERE Status = 'Open' ORDER BY ItemIndex", ""},
        PassCase{"SELECT ProjectIndex From Items WHERE ItemIndex= 42", ""},
        PassCase{"SELECT ProjectParent,ProjectName From Projects WHERE ProjectIndex=-3", ""},
        PassCase{"INSERT INTO ProjectDetails "
                 "(FolderPath,ProjectName,ProjectCreated,ItemsComplete,ItemsIncomplete,ItemsTotal) "
                 "VALUES ('Projects\\O''Brien\\Docs','O''Brien','3/1/1999', 5, 3, 8)",
                 ""},
        PassCase{"SELECT CustomField, CustomName, CustomType FROM Custom -- fields\n", ""},
        PassCase{"SELECT [Items].[Status], [Total of ItemIndex], [Order] FROM [Items]",
                 "SELECT Items.Status, \"total of itemindex\", \"order\" FROM Items"},
        PassCase{"SELECT [Größe], \"Total Of ItemIndex\" FROM t",
                 "SELECT \"größe\", \"total of itemindex\" FROM t"},
        PassCase{"UPDATE Items SET Status = 'Closed' WHERE ItemIndex = 7", ""}));

// --- the targets that run the legacy texts themselves ------------------------

TEST(Translate, leavesEachProductsOwnFormUntouched) {
    for (const std::string& sql : {serverProjectStatus(), serverUserStatus("bob"),
                                   serverUserStatus(""), std::string("SELECT [x] FROM [t]")}) {
        const Translation t = translate(sql, Target::SqlServer);
        EXPECT_EQ(t.sql, sql);
        EXPECT_FALSE(t.crosstab);
    }
    for (const std::string& sql :
         {accessProjectStatus(), accessUserStatus("bob"), accessUserStatus(""),
          std::string("DELETE * FROM ProjectDetails"), std::string("SELECT [x] FROM [t]")}) {
        const Translation t = translate(sql, Target::Access);
        EXPECT_EQ(t.sql, sql);
        EXPECT_FALSE(t.crosstab);
    }
}

TEST(Translate, deleteStarBecomesStandardDeleteOnEveryOtherTarget) {
    for (Target target : {Target::SQLite, Target::PostgreSQL, Target::SqlServer}) {
        EXPECT_EQ(translate("DELETE * FROM ProjectDetails", target).sql,
                  "DELETE FROM ProjectDetails");
        EXPECT_EQ(
            translate("DELETE ProjectDetails.* FROM ProjectDetails WHERE [Items Total] = 0", target)
                .sql,
            target == Target::SqlServer ? "DELETE FROM ProjectDetails WHERE [Items Total] = 0"
                                        : "DELETE FROM ProjectDetails WHERE \"items total\" = 0");
    }
}

// --- the status builds' texts ------------------------------------------------

const std::string kServerProjectOuterSqlite =
    "SELECT P1.ProjectIndex,P1.ProjectName,P1.Created, "
    "SUM(CASE P1.Item COLLATE NOCASE WHEN 'ALL' THEN P1.\"total of itemindex\" ELSE 0 END) AS "
    "Total, "
    "SUM(CASE P1.Item COLLATE NOCASE WHEN 'COMPLETED' THEN P1.\"total of itemindex\" ELSE 0 END) "
    "AS Completed From (";

// The outer WHERE drops every row whose project columns are rolled up, so of
// the sixteen grouping sets only the two that keep them are computed.
TEST(Translate, serverProjectStatusOnSqliteIsAUnionOfTheTwoGroupingSetsItKeeps) {
    EXPECT_EQ(translate(serverProjectStatus(), Target::SQLite).sql,
              kServerProjectOuterSqlite +
                  "SELECT Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
                  "CASE WHEN (0 = 1) THEN 'ALL' ELSE COALESCE(Items.Status, 'UNKNOWN') END AS "
                  "Item, Count(Items.ItemIndex) As \"total of itemindex\" "
                  "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex "
                  "GROUP BY Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
                  "Items.Status "
                  "UNION ALL SELECT Projects.ProjectIndex, Projects.ProjectName, "
                  "Projects.Created, CASE WHEN (1 = 1) THEN 'ALL' ELSE COALESCE(NULL, 'UNKNOWN') "
                  "END AS Item, Count(Items.ItemIndex) As \"total of itemindex\" "
                  "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex "
                  "GROUP BY Projects.ProjectIndex, Projects.ProjectName, Projects.Created) "
                  "AS P1 WHERE(P1.Created Is Not Null And P1.ProjectIndex Is Not Null And "
                  "P1.ProjectName Is Not Null) GROUP BY P1.ProjectName, P1.ProjectIndex, "
                  "P1.Created ");
}

TEST(Translate, serverProjectStatusOnPostgresqlListsTheGroupingSetsItKeeps) {
    EXPECT_EQ(
        translate(serverProjectStatus(), Target::PostgreSQL).sql,
        "SELECT P1.ProjectIndex,P1.ProjectName,P1.Created, "
        "SUM(CASE lower(P1.Item) WHEN lower('ALL') THEN P1.\"total of itemindex\" ELSE 0 END) AS "
        "Total, "
        "SUM(CASE lower(P1.Item) WHEN lower('COMPLETED') THEN P1.\"total of itemindex\" ELSE 0 "
        "END) AS Completed "
        "From (SELECT Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
        "CASE WHEN (GROUPING(Items.Status) = 1) THEN 'ALL' ELSE COALESCE(Items.Status, "
        "'UNKNOWN') END AS Item, Count(Items.ItemIndex) As \"total of itemindex\" "
        "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex "
        "GROUP BY GROUPING SETS ((Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
        "Items.Status), (Projects.ProjectIndex, Projects.ProjectName, Projects.Created))) AS P1 "
        "WHERE(P1.Created Is Not Null And P1.ProjectIndex Is Not Null And "
        "P1.ProjectName Is Not Null) GROUP BY P1.ProjectName, P1.ProjectIndex, P1.Created ");
}

struct UserCase {
    std::string userName;
    std::string sqliteCondition;
    std::string postgresCondition;
};

std::ostream& operator<<(std::ostream& out, const UserCase& c) {
    return out << c.userName;
}

class ServerUserStatus : public testing::TestWithParam<UserCase> {};

TEST_P(ServerUserStatus, onSqliteIsAUnionOfTheTwoGroupingSetsItKeeps) {
    const std::string branch =
        "SELECT Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
        "CASE WHEN (0 = 1) THEN 'ALL' ELSE COALESCE(Items.Status, 'UNKNOWN') END AS Item, "
        "Count(Items.ItemIndex) As \"total of itemindex\" FROM Items RIGHT JOIN Projects ON "
        "Items.ProjectIndex = Projects.ProjectIndex GROUP BY Items.AssignedTo, "
        "Projects.ProjectIndex, Projects.ProjectName, Projects.Created, Items.Status";
    const std::string statusRolledUp =
        " UNION ALL SELECT Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, "
        "Projects.Created, CASE WHEN (1 = 1) THEN 'ALL' ELSE COALESCE(NULL, 'UNKNOWN') END AS "
        "Item, Count(Items.ItemIndex) As \"total of itemindex\" FROM Items RIGHT JOIN Projects "
        "ON Items.ProjectIndex = Projects.ProjectIndex GROUP BY Items.AssignedTo, "
        "Projects.ProjectIndex, Projects.ProjectName, Projects.Created";
    EXPECT_EQ(translate(serverUserStatus(GetParam().userName), Target::SQLite).sql,
              "SELECT P1.AssignedTo,P1.ProjectIndex,P1.ProjectName,P1.Created, "
              "SUM(CASE P1.Item COLLATE NOCASE WHEN 'ALL' THEN P1.\"total of itemindex\" ELSE 0 "
              "END) AS Total, SUM(CASE P1.Item COLLATE NOCASE WHEN 'COMPLETED' THEN P1.\"total of "
              "itemindex\" ELSE 0 END) AS Completed From (" +
                  branch + statusRolledUp + ") AS P1 Where (" + GetParam().sqliteCondition +
                  "P1.AssignedTo Is Not Null And P1.Created Is Not Null And P1.ProjectIndex Is "
                  "Not Null And P1.ProjectName Is Not Null) GROUP BY P1.AssignedTo, "
                  "P1.ProjectName, P1.ProjectIndex, P1.Created");
}

TEST_P(ServerUserStatus, onPostgresqlListsTheGroupingSetsItKeeps) {
    EXPECT_EQ(
        translate(serverUserStatus(GetParam().userName), Target::PostgreSQL).sql,
        "SELECT P1.AssignedTo,P1.ProjectIndex,P1.ProjectName,P1.Created, "
        "SUM(CASE lower(P1.Item) WHEN lower('ALL') THEN P1.\"total of itemindex\" ELSE 0 END) AS "
        "Total, SUM(CASE lower(P1.Item) WHEN lower('COMPLETED') THEN P1.\"total of itemindex\" "
        "ELSE 0 END) AS Completed "
        "From (SELECT Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, "
        "Projects.Created, CASE WHEN (GROUPING(Items.Status) = 1) THEN 'ALL' ELSE "
        "COALESCE(Items.Status, 'UNKNOWN') END AS Item, Count(Items.ItemIndex) As \"total of "
        "itemindex\" FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex "
        "GROUP BY GROUPING SETS ((Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, "
        "Projects.Created, Items.Status), (Items.AssignedTo, Projects.ProjectIndex, "
        "Projects.ProjectName, Projects.Created))) AS P1 Where (" +
            GetParam().postgresCondition +
            "P1.AssignedTo Is Not Null And P1.Created Is Not Null And P1.ProjectIndex Is Not "
            "Null And P1.ProjectName Is Not Null) GROUP BY P1.AssignedTo, P1.ProjectName, "
            "P1.ProjectIndex, P1.Created");
}

INSTANTIATE_TEST_SUITE_P(
    WithAndWithoutUser, ServerUserStatus,
    testing::Values(UserCase{"", "", ""},
                    UserCase{"Jörg Ärger", "P1.AssignedTo='Jörg Ärger' COLLATE NOCASE AND ",
                             "lower(P1.AssignedTo)=lower('Jörg Ärger') AND "}));

TEST(Translate, accessProjectStatusBecomesHeaderAndCellRows) {
    for (Target target : {Target::SQLite, Target::PostgreSQL}) {
        const Translation t = translate(accessProjectStatus(), target);
        EXPECT_EQ(t.sql,
                  "SELECT Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
                  "Count(Items.ItemIndex) AS Total, NULL AS xtab_pivot, NULL AS xtab_cell, 0 AS "
                  "xtab_kind FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = "
                  "Projects.ProjectIndex GROUP BY Projects.ProjectIndex, Projects.ProjectName, "
                  "Projects.Created "
                  "UNION ALL SELECT Projects.ProjectIndex, Projects.ProjectName, "
                  "Projects.Created, NULL AS Total, Items.Status AS xtab_pivot, "
                  "Count(Items.ItemIndex) AS xtab_cell, 1 AS xtab_kind FROM Items RIGHT JOIN "
                  "Projects ON Items.ProjectIndex = Projects.ProjectIndex GROUP BY "
                  "Projects.ProjectIndex, Projects.ProjectName, Projects.Created, Items.Status "
                  "ORDER BY 1, 2, 3, 7");
        ASSERT_TRUE(t.crosstab);
        EXPECT_EQ(t.crosstab->columns,
                  (std::vector<std::string>{"ProjectIndex", "ProjectName", "Created", "Total"}));
        EXPECT_EQ(t.crosstab->pivotColumn, 4u);
        EXPECT_EQ(t.crosstab->cellColumn, 5u);
        EXPECT_EQ(t.crosstab->kindColumn, 6u);
        EXPECT_TRUE(t.crosstab->additiveCells);
        EXPECT_FALSE(t.crosstab->fixedPivotValues);
    }
}

class AccessUserStatus : public testing::TestWithParam<UserCase> {};

TEST_P(AccessUserStatus, becomesHeaderAndCellRows) {
    for (Target target : {Target::SQLite, Target::PostgreSQL}) {
        const std::string condition =
            target == Target::SQLite ? GetParam().sqliteCondition : GetParam().postgresCondition;
        const Translation t = translate(accessUserStatus(GetParam().userName), target);
        const std::string from = "FROM Items INNER JOIN Projects ON Items.ProjectIndex = "
                                 "Projects.ProjectIndex " +
                                 condition +
                                 "GROUP BY Items.AssignedTo, Projects.ProjectName, "
                                 "Projects.ProjectIndex, Projects.Created";
        EXPECT_EQ(t.sql, "SELECT Items.AssignedTo, Projects.ProjectName, Projects.ProjectIndex, "
                         "Projects.Created, Count(Items.ItemIndex) AS Total, NULL AS xtab_pivot, "
                         "NULL AS xtab_cell, 0 AS xtab_kind " +
                             from +
                             " UNION ALL SELECT Items.AssignedTo, Projects.ProjectName, "
                             "Projects.ProjectIndex, Projects.Created, NULL AS Total, "
                             "Items.Status AS xtab_pivot, Count(Items.ItemIndex) AS xtab_cell, "
                             "1 AS xtab_kind " +
                             from + ", Items.Status ORDER BY 1, 2, 3, 4, 8");
        ASSERT_TRUE(t.crosstab);
        EXPECT_EQ(t.crosstab->columns,
                  (std::vector<std::string>{"AssignedTo", "ProjectName", "ProjectIndex", "Created",
                                            "Total"}));
        EXPECT_EQ(t.crosstab->kindColumn, 7u);
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutUser, AccessUserStatus,
                         testing::Values(UserCase{"", "", ""},
                                         UserCase{"bob",
                                                  "WHERE Items.AssignedTo='bob' COLLATE NOCASE ",
                                                  "WHERE lower(Items.AssignedTo)=lower('bob') "}));

// --- smaller rewrites ---------------------------------------------------------

struct RewriteCase {
    std::string sql;
    std::string sqlite;
    std::string postgres;
};

std::ostream& operator<<(std::ostream& out, const RewriteCase& c) {
    return out << c.sql;
}

class Rewrites : public testing::TestWithParam<RewriteCase> {};

TEST_P(Rewrites, giveEachTargetItsForm) {
    EXPECT_EQ(translate(GetParam().sql, Target::SQLite).sql, GetParam().sqlite);
    EXPECT_EQ(translate(GetParam().sql, Target::PostgreSQL).sql, GetParam().postgres);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rewrites,
    testing::Values(
        RewriteCase{"SELECT ISNULL(a, 0) FROM t WHERE 'x' = b AND c = d",
                    "SELECT COALESCE(a, 0) FROM t WHERE 'x' COLLATE NOCASE = b AND c = d",
                    "SELECT COALESCE(a, 0) FROM t WHERE lower('x') = lower(b) AND c = d"},
        RewriteCase{"SELECT a FROM t WHERE IsNull(b) OR b<>'Open'",
                    "SELECT a FROM t WHERE (b IS NULL) OR b<>'Open' COLLATE NOCASE",
                    "SELECT a FROM t WHERE (b IS NULL) OR lower(b)<>lower('Open')"},
        RewriteCase{"SELECT CASE ISNULL(s, 'x') WHEN 'A' THEN 1 WHEN 2 THEN 2 END FROM t",
                    "SELECT CASE COALESCE(s, 'x') COLLATE NOCASE WHEN 'A' THEN 1 WHEN 2 THEN 2 "
                    "END FROM t",
                    "SELECT CASE lower(COALESCE(s, 'x')) WHEN lower('A') THEN 1 WHEN 2 THEN 2 "
                    "END FROM t"},
        RewriteCase{"SELECT a, ISNULL(b, 1) FROM t WHERE a LIKE 'x%' AND a IN (SELECT "
                    "ISNULL(c, 'y') FROM u WHERE c = 'z')",
                    "SELECT a, COALESCE(b, 1) FROM t WHERE a LIKE 'x%' AND a IN (SELECT "
                    "COALESCE(c, 'y') FROM u WHERE c = 'z' COLLATE NOCASE)",
                    "SELECT a, COALESCE(b, 1) FROM t WHERE a ILIKE 'x%' AND a IN (SELECT "
                    "COALESCE(c, 'y') FROM u WHERE lower(c) = lower('z'))"},
        RewriteCase{"SELECT Nz(a, 0), IIf(b = \"x\", 1, 2) FROM t WHERE c = \"O'Brien\"",
                    "SELECT COALESCE(a, 0), CASE WHEN b = 'x' COLLATE NOCASE THEN 1 ELSE 2 END "
                    "FROM t WHERE c = 'O''Brien' COLLATE NOCASE",
                    "SELECT COALESCE(a, 0), CASE WHEN lower(b) = lower('x') THEN 1 ELSE 2 END "
                    "FROM t WHERE lower(c) = lower('O''Brien')"},
        RewriteCase{"SELECT a, b, GROUPING(b) AS g, Sum(n) FROM t GROUP BY a, b WITH ROLLUP",
                    "SELECT a, b, 0 AS g, Sum(n) FROM t GROUP BY a, b UNION ALL SELECT a, NULL, "
                    "1 AS g, Sum(n) FROM t GROUP BY a UNION ALL SELECT NULL, NULL, 1 AS g, Sum(n) "
                    "FROM t",
                    "SELECT a, b, GROUPING(b) AS g, Sum(n) FROM t GROUP BY ROLLUP(a, b)"},
        RewriteCase{"SELECT a, Count(a) FROM t GROUP BY a WITH CUBE HAVING Count(a) > 1 ORDER BY 1",
                    "SELECT a, Count(a) FROM t GROUP BY a HAVING Count(a) > 1 UNION ALL SELECT "
                    "NULL, Count(a) FROM t HAVING Count(a) > 1 ORDER BY 1",
                    "SELECT a, Count(a) FROM t GROUP BY CUBE(a) HAVING Count(a) > 1 ORDER BY 1"},
        // Grouping sets the enclosing WHERE discards are left out ...
        RewriteCase{"SELECT * FROM (SELECT a, b AS bb, Sum(n) AS s FROM t GROUP BY a, b WITH "
                    "CUBE) [X] WHERE ((x.BB Is Not Null) AND s > 0)",
                    "SELECT * FROM (SELECT a, b AS bb, Sum(n) AS s FROM t GROUP BY a, b UNION ALL "
                    "SELECT NULL, b AS bb, Sum(n) AS s FROM t GROUP BY b) X WHERE ((x.BB Is "
                    "Not Null) AND s > 0)",
                    "SELECT * FROM (SELECT a, b AS bb, Sum(n) AS s FROM t GROUP BY GROUPING SETS "
                    "((a, b), (b))) X WHERE ((x.BB Is Not Null) AND s > 0)"},
        RewriteCase{"SELECT * FROM (SELECT a, b, Sum(n) AS s FROM t GROUP BY a, b WITH ROLLUP) "
                    "AS r WHERE r.a IS NOT NULL",
                    "SELECT * FROM (SELECT a, b, Sum(n) AS s FROM t GROUP BY a, b UNION ALL "
                    "SELECT a, NULL, Sum(n) AS s FROM t GROUP BY a) AS r WHERE r.a IS NOT NULL",
                    "SELECT * FROM (SELECT a, b, Sum(n) AS s FROM t GROUP BY GROUPING SETS ((a, "
                    "b), (a))) AS r WHERE r.a IS NOT NULL"},
        // ... and kept whenever the WHERE might let a rolled-up row through:
        // under OR or NOT, a test of another table, IS NULL, a computed column.
        RewriteCase{"SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY a WITH CUBE) AS r "
                    "WHERE r.a IS NOT NULL OR r.c > 1",
                    "SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY a UNION ALL SELECT "
                    "NULL, Count(a) AS c FROM t) AS r WHERE r.a IS NOT NULL OR r.c > 1",
                    "SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY CUBE(a)) AS r WHERE "
                    "r.a IS NOT NULL OR r.c > 1"},
        RewriteCase{"SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY a WITH CUBE) AS r "
                    "WHERE NOT (r.a IS NOT NULL)",
                    "SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY a UNION ALL SELECT "
                    "NULL, Count(a) AS c FROM t) AS r WHERE NOT (r.a IS NOT NULL)",
                    "SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY CUBE(a)) AS r WHERE "
                    "NOT (r.a IS NOT NULL)"},
        RewriteCase{"SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY a WITH CUBE) AS r, u "
                    "WHERE u.a IS NOT NULL AND r.a IS NULL",
                    "SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY a UNION ALL SELECT "
                    "NULL, Count(a) AS c FROM t) AS r, u WHERE u.a IS NOT NULL AND r.a IS NULL",
                    "SELECT * FROM (SELECT a, Count(a) AS c FROM t GROUP BY CUBE(a)) AS r, u "
                    "WHERE u.a IS NOT NULL AND r.a IS NULL"},
        RewriteCase{"SELECT * FROM (SELECT ISNULL(a, 0) AS a, Count(a) AS c FROM t GROUP BY a "
                    "WITH CUBE) AS r WHERE r.a IS NOT NULL",
                    "SELECT * FROM (SELECT COALESCE(a, 0) AS a, Count(a) AS c FROM t GROUP BY a "
                    "UNION ALL SELECT COALESCE(NULL, 0) AS a, Count(a) AS c FROM t) AS r WHERE "
                    "r.a IS NOT NULL",
                    "SELECT * FROM (SELECT COALESCE(a, 0) AS a, Count(a) AS c FROM t GROUP BY "
                    "CUBE(a)) AS r WHERE r.a IS NOT NULL"},
        RewriteCase{"TRANSFORM Sum(i.n) SELECT [i].[p] FROM (i INNER JOIN q ON i.p = q.p) "
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
                    "4;"}));

struct AggregateCase {
    std::string aggregate;
    bool additive;
};

std::ostream& operator<<(std::ostream& out, const AggregateCase& c) {
    return out << c.aggregate;
}

class CrosstabAggregates : public testing::TestWithParam<AggregateCase> {};

// Cells of statuses that differ only in case land in one column; whether they
// add up must not hang on the spacing of the aggregate's text.
TEST_P(CrosstabAggregates, addUpOnlyCountsAndSums) {
    for (Target target : {Target::SQLite, Target::PostgreSQL}) {
        const Translation t = translate(
            "TRANSFORM " + GetParam().aggregate + " SELECT p FROM t GROUP BY p PIVOT s", target);
        ASSERT_TRUE(t.crosstab);
        EXPECT_EQ(t.crosstab->additiveCells, GetParam().additive);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CrosstabAggregates,
    testing::Values(AggregateCase{"Count(Items.ItemIndex) AS [The Value]", true},
                    AggregateCase{"count ( x )", true}, AggregateCase{"SUM(x)", true},
                    AggregateCase{"Avg(x)", false}, AggregateCase{"Max(x)", false},
                    AggregateCase{"First(x)", false}, AggregateCase{"Count(x) + 1", false}));

TEST(Translate, pivotInListFixesTheColumns) {
    const Translation t = translate(
        "TRANSFORM Count(x) SELECT p FROM t GROUP BY p PIVOT s IN ('Open', 'Completed', 3)",
        Target::SQLite);
    ASSERT_TRUE(t.crosstab);
    EXPECT_EQ(t.crosstab->fixedPivotValues, (std::vector<std::string>{"Open", "Completed", "3"}));
}

// --- telling the dialects apart ----------------------------------------------

struct DialectCase {
    std::string sql;
    SourceDialect dialect;
    std::string construct;
};

std::ostream& operator<<(std::ostream& out, const DialectCase& c) {
    return out << c.sql;
}

class Dialects : public testing::TestWithParam<DialectCase> {};

TEST_P(Dialects, areToldFromTheText) {
    const DialectFinding finding = detectDialect(tokenize(GetParam().sql));
    EXPECT_EQ(finding.dialect, GetParam().dialect);
    EXPECT_EQ(finding.construct, GetParam().construct);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Dialects,
    testing::Values(
        DialectCase{accessProjectStatus(), SourceDialect::Access, "TRANSFORM"},
        DialectCase{"  transform Count(x) SELECT ...", SourceDialect::Access, "TRANSFORM"},
        DialectCase{"DELETE * FROM ProjectDetails", SourceDialect::Access, "DELETE *"},
        DialectCase{"DELETE t.* FROM t", SourceDialect::Access, "DELETE *"},
        DialectCase{"SELECT IsNull(a) FROM t", SourceDialect::Access, "IsNull(x)"},
        DialectCase{serverProjectStatus(), SourceDialect::TransactSql, "WITH CUBE"},
        DialectCase{"SELECT a FROM t GROUP BY a with rollup", SourceDialect::TransactSql,
                    "WITH ROLLUP"},
        DialectCase{"SELECT ISNULL(f(a, b), 0) FROM t", SourceDialect::TransactSql, "ISNULL(a, b)"},
        DialectCase{"SELECT Nz(a, 0) FROM t", SourceDialect::Access, "Nz"},
        DialectCase{"SELECT a FROM t WHERE iif(a, 1, 0) = 1", SourceDialect::Access, "IIf"},
        DialectCase{"DELETE FROM ProjectDetails", SourceDialect::Common, ""},
        DialectCase{"SELECT 'WITH CUBE', [ISNULL] FROM t", SourceDialect::Common, ""},
        DialectCase{"SELECT * FROM Items WHERE Status = 'Open'", SourceDialect::Common, ""}));

// --- what has no translation -------------------------------------------------

struct ErrorCase {
    std::string sql;
    Target target;
    automation::HRESULT code;
    std::string construct;
};

std::ostream& operator<<(std::ostream& out, const ErrorCase& c) {
    return out << c.sql;
}

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

constexpr auto kUnsupported = kUnsupportedConstruct;

INSTANTIATE_TEST_SUITE_P(
    Table, Errors,
    testing::Values(
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t GROUP BY p", Target::SQLite, kUnsupported,
                  "TRANSFORM without PIVOT"},
        ErrorCase{"TRANSFORM Count(x) PIVOT s", Target::PostgreSQL, kUnsupported,
                  "TRANSFORM without SELECT"},
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t PIVOT s", Target::SQLite, kUnsupported,
                  "TRANSFORM without GROUP BY"},
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t GROUP BY p HAVING Count(x) > 1 PIVOT s",
                  Target::SQLite, kUnsupported, "HAVING in TRANSFORM"},
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t GROUP BY p ORDER BY p PIVOT s",
                  Target::SQLite, kUnsupported, "ORDER BY in TRANSFORM"},
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t GROUP BY p, q PIVOT s", Target::SQLite,
                  kUnsupported, "TRANSFORM grouping by a column it does not select"},
        ErrorCase{"TRANSFORM Count(x) SELECT t.* FROM t GROUP BY p PIVOT s", Target::SQLite,
                  kUnsupported, "* in the SELECT list of a TRANSFORM"},
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t GROUP BY p PIVOT s IN (a)", Target::SQLite,
                  kUnsupported, "PIVOT IN with a value that is not a constant"},
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t GROUP BY p WITH CUBE PIVOT s", Target::SQLite,
                  kUnsupported, "WITH CUBE or ROLLUP in TRANSFORM"},
        ErrorCase{accessProjectStatus(), Target::SqlServer, kUnsupported,
                  "TRANSFORM on SQL Server"},
        ErrorCase{serverProjectStatus(), Target::Access, kUnsupported, "WITH CUBE in Access"},
        ErrorCase{"UPDATE t SET a = ISNULL(b, 0)", Target::SQLite, kUnsupported,
                  "ISNULL(a, b) in UPDATE statements"},
        ErrorCase{"SELECT a FROM t WHERE IsNull(b) AND a LIKE 'x*'", Target::PostgreSQL,
                  kUnsupported, "LIKE in Access SQL"},
        ErrorCase{"SELECT ISNULL(GROUPING(a), 0) FROM t GROUP BY a", Target::SQLite, kUnsupported,
                  "GROUPING without CUBE or ROLLUP"},
        ErrorCase{"SELECT a, GROUPING(b) FROM t GROUP BY a WITH CUBE", Target::SQLite, kUnsupported,
                  "GROUPING of a column not in GROUP BY"},
        ErrorCase{"SELECT a FROM t GROUP BY a WITH CUBE UNION SELECT b FROM u", Target::SQLite,
                  kUnsupported, "WITH CUBE or ROLLUP in a UNION"},
        ErrorCase{"SELECT a FROM t GROUP BY a, b, c, d, e, f, g, h, i, j, k, l, m WITH CUBE",
                  Target::SQLite, kUnsupported, "WITH CUBE over more than 12 columns"},
        ErrorCase{"SELECT Nz(a) FROM t", Target::SQLite, kUnsupported,
                  "Nz without a value if null"},
        ErrorCase{"SELECT IIf(a, b) FROM t", Target::PostgreSQL, kUnsupported,
                  "IIf with 2 arguments"},
        ErrorCase{"SELECT TOP 5 ISNULL(a, 0) FROM t", Target::SQLite, kUnsupported, "SELECT TOP"},
        ErrorCase{"SELECT ISNULL(a, 0) INTO x FROM t", Target::SQLite, kUnsupported, "SELECT INTO"},
        ErrorCase{"TRANSFORM Count(x) SELECT p FROM t WHERE d > #1/1/1999# GROUP BY p PIVOT s",
                  Target::SQLite, kUnsupported, "date literal #...#"},
        ErrorCase{"SELECT ISNULL(a, 0, 1), IsNull(b) FROM t", Target::SQLite, kUnsupported,
                  "ISNULL with 3 arguments"},
        ErrorCase{accessUserStatus("o'neil"), Target::SQLite, kMalformedSql,
                  "unterminated string literal"},
        ErrorCase{serverUserStatus("o'neil"), Target::PostgreSQL, kMalformedSql,
                  "unterminated string literal"},
        ErrorCase{"SELECT ISNULL(a, 0) FROM (SELECT b FROM t", Target::SQLite, kMalformedSql,
                  "')' expected, end of statement"},
        ErrorCase{"SELECT ISNULL(a, 0) FROM t WHERE", Target::SQLite, kMalformedSql,
                  "end of statement"},
        ErrorCase{"SELECT ISNULL(a, 0) FROM t x y", Target::SQLite, kMalformedSql,
                  "unexpected 'y'"}));

} // namespace
} // namespace vorn::rdo::dialect
