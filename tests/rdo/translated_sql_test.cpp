// The status builds' SQL texts, in both legacy forms, give the same counts on
// every backend once rewritten: on a small tracker with statuses in mixed
// case, a project without items, an item without status or assignee, a quote
// and non-ASCII names; with text columns that compare without regard to case
// as the legacy products' did, and with plain ones that do not.
#include "test_database.h"

#include "data/status_queries.h"

#include "platform/automation/ole_date.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace vorn::automation;
using namespace vorn::rdo;
using namespace vorn::rdo::test;
using vorn::projectStatusQuery;
using vorn::userStatusQuery;

namespace {

// A row as "assignee|project|name|created|total|completed", the assignee only
// in the user forms and NULL for an item without one.
struct StatusCase {
    const char* name;
    std::string sql;
    bool perUser;
    std::vector<std::string> expected;
};

std::vector<StatusCase> statusCases() {
    // Alpha: "Completed", "completed", "COMPLETED" and "Open": 3 complete of 4.
    const std::vector<std::string> projects = {"1|Alpha|3/1/1999|4|3",
                                               "2|Beta's|1/2/2000 10:15:00 AM|2|1",
                                               "3|Ünïcødé|5/6/2001|3|0", "4|Empty|1/1/2002|0|0"};
    const std::vector<std::string> ann = {"ann|1|Alpha|3/1/1999|2|2", "ann|3|Ünïcødé|5/6/2001|2|0"};
    const std::vector<std::string> zoe = {"Zoë|2|Beta's|1/2/2000 10:15:00 AM|2|1"};
    const std::vector<std::string> users = {ann[0], ann[1], zoe[0], "bob|1|Alpha|3/1/1999|2|1"};
    // The Access form keeps items without an assignee.
    std::vector<std::string> accessUsers = users;
    accessUsers.push_back("NULL|3|Ünïcødé|5/6/2001|1|0");
    return {
        {"ProjectServerForm", projectStatusQuery("SQL Server"), false, projects},
        {"ProjectAccessForm", projectStatusQuery("Access"), false, projects},
        {"UserServerFormAllUsers", userStatusQuery("SQL Server", ""), true, users},
        // A user's name matches whatever its letter case.
        {"UserServerFormOneUserInOtherCase", userStatusQuery("SQL Server", "ANN"), true, ann},
        {"UserAccessFormOneUserInOtherCase", userStatusQuery("Access", "Ann"), true, ann},
        {"UserAccessFormAllUsers", userStatusQuery("Access", ""), true, accessUsers},
        {"UserAccessFormOneUser", userStatusQuery("Access", "Zoë"), true, zoe},
        {"UserAccessFormUserWithoutItems", userStatusQuery("Access", "nobody"), true, {}},
    };
}

enum class TextColumns { CaseInsensitive, Plain };

class StatusQueries : public testing::TestWithParam<std::tuple<Backend, TextColumns, StatusCase>> {
protected:
    void SetUp() override {
        const Backend backend = std::get<0>(GetParam());
        if (backend == Backend::PostgreSql && postgreSqlSkipped())
            GTEST_SKIP() << "VORN_SKIP_PG is set";
        db_ = std::make_unique<TestDatabase>(backend);
        // Case-insensitive columns as the legacy products had them: NOCASE on
        // SQLite, a nondeterministic ICU collation on PostgreSQL.
        std::string text = "VARCHAR(50)";
        if (std::get<1>(GetParam()) == TextColumns::CaseInsensitive) {
            if (backend == Backend::PostgreSql)
                db_->run("CREATE COLLATION nocase (provider = icu, locale = 'und-u-ks-level2', "
                         "deterministic = false)");
            text += " COLLATE nocase";
        }
        db_->run("CREATE TABLE Projects (ProjectIndex INTEGER, ProjectName " + text +
                 ", Created TIMESTAMP, ProjectParent INTEGER)");
        db_->run("CREATE TABLE Items (ItemIndex INTEGER, ProjectIndex INTEGER, Status " + text +
                 ", AssignedTo " + text + ")");
        db_->run("INSERT INTO Projects VALUES (1, 'Alpha', '1999-03-01 00:00:00', 0), "
                 "(2, 'Beta''s', '2000-01-02 10:15:00', 0), "
                 "(3, 'Ünïcødé', '2001-05-06 00:00:00', 1), "
                 "(4, 'Empty', '2002-01-01 00:00:00', 0)");
        db_->run("INSERT INTO Items VALUES (1, 1, 'Completed', 'ann'), (2, 1, 'completed', 'ann'), "
                 "(3, 1, 'Open', 'bob'), (4, 1, 'COMPLETED', 'bob'), (5, 2, 'COMPLETED', 'Zoë'), "
                 "(6, 2, 'Open', 'Zoë'), (7, 3, 'Open', 'ann'), (8, 3, 'open', NULL), "
                 "(9, 3, NULL, 'ann')");
        connection_ = makeObject<RdoEnvironment>()->openConnection("", false, db_->connect());
    }

    std::unique_ptr<TestDatabase> db_;
    ComPtr<RdoConnection> connection_;
};

TEST_P(StatusQueries, GiveTheCountsOfTheLegacyProducts) {
    const StatusCase& c = std::get<2>(GetParam());
    ConnectionRef ref(static_cast<IDispatch*>(connection_.get()));
    RowReader rows = ref.openResultset(c.sql, CursorType::Dynamic, LockType::OptimisticValues);
    std::vector<std::string> got;
    for (; !rows.eof(); rows.moveNext()) {
        std::string row;
        if (c.perUser) {
            const Variant assignee = rows.value("AssignedTo");
            row = (assignee.isNull() ? "NULL" : assignee.toString()) + "|";
        }
        // As the builds read it: a missing column or a null counts 0. A
        // crosstab's empty cell is a null, as the database would give it.
        std::int32_t completed = 0;
        try {
            const Variant v = rows.value("Completed");
            EXPECT_NE(v.type(), VT_EMPTY);
            completed = v.isNull() ? 0 : v.toI4();
        } catch (const ComError& e) {
            ASSERT_EQ(e.code(), kItemNotFound);
        }
        got.push_back(row + std::to_string(rows.value("ProjectIndex").toI4()) + "|" +
                      rows.value("ProjectName").toString() + "|" +
                      formatGeneralDate(rows.value("Created").toDate()) + "|" +
                      std::to_string(rows.value("Total").toI4()) + "|" + std::to_string(completed));
    }
    std::vector<std::string> expected = c.expected;
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, StatusQueries,
    testing::Combine(testing::Values(Backend::Sqlite, Backend::SqliteOdbc, Backend::PostgreSql),
                     testing::Values(TextColumns::CaseInsensitive, TextColumns::Plain),
                     testing::ValuesIn(statusCases())),
    [](const auto& p) {
        return backendName(std::get<0>(p.param)) +
               (std::get<1>(p.param) == TextColumns::Plain ? "_Plain_" : "_NoCase_") +
               std::get<2>(p.param).name;
    });

} // namespace
