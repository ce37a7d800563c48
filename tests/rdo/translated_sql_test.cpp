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

struct StatusRow {
    std::string assignee; // "(null)" for an item without one
    std::int32_t project;
    std::string name;
    DATE created;
    std::int32_t total;
    std::int32_t completed;
    auto operator<=>(const StatusRow&) const = default;
};

void PrintTo(const StatusRow& r, std::ostream* out) {
    *out << r.assignee << "|" << r.project << "|" << r.name << "|" << formatGeneralDate(r.created)
         << "|" << r.total << "|" << r.completed;
}

struct StatusCase {
    const char* name;
    std::string sql;
    bool perUser;
    std::vector<StatusRow> expected;
};

const DATE kAlpha = makeDate({1999, 3, 1});
const DATE kBeta = makeDate({2000, 1, 2, 10, 15, 0});
const DATE kUnicode = makeDate({2001, 5, 6});
const DATE kEmpty = makeDate({2002, 1, 1});

std::vector<StatusCase> statusCases() {
    // Alpha: "Completed", "completed", "COMPLETED" and "Open": 3 complete of 4.
    const std::vector<StatusRow> projects = {{"", 1, "Alpha", kAlpha, 4, 3},
                                             {"", 2, "Beta's", kBeta, 2, 1},
                                             {"", 3, "Ünïcødé", kUnicode, 3, 0},
                                             {"", 4, "Empty", kEmpty, 0, 0}};
    std::vector<StatusRow> users = {{"ann", 1, "Alpha", kAlpha, 2, 2},
                                    {"bob", 1, "Alpha", kAlpha, 2, 1},
                                    {"Zoë", 2, "Beta's", kBeta, 2, 1},
                                    {"ann", 3, "Ünïcødé", kUnicode, 2, 0}};
    // The Access form keeps items without an assignee.
    std::vector<StatusRow> accessUsers = users;
    accessUsers.push_back({"(null)", 3, "Ünïcødé", kUnicode, 1, 0});
    const std::vector<StatusRow> ann = {users[0], users[3]};
    const std::vector<StatusRow> zoe = {users[2]};
    return {
        {"ProjectServerForm", projectStatusQuery("SQL Server"), false, projects},
        {"ProjectAccessForm", projectStatusQuery("Access"), false, projects},
        {"UserServerFormAllUsers", userStatusQuery("SQL Server", ""), true, users},
        {"UserServerFormOneUser", userStatusQuery("SQL Server", "ann"), true, ann},
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
    std::vector<StatusRow> got;
    for (; !rows.eof(); rows.moveNext()) {
        StatusRow row;
        if (c.perUser) {
            const Variant assignee = rows.value("AssignedTo");
            row.assignee = assignee.isNull() ? "(null)" : assignee.toString();
        }
        row.project = rows.value("ProjectIndex").toI4();
        row.name = rows.value("ProjectName").toString();
        row.created = rows.value("Created").toDate();
        row.total = rows.value("Total").toI4();
        // As the builds read it: a missing column or a null counts 0.
        std::int32_t completed = 0;
        try {
            const Variant v = rows.value("Completed");
            completed = v.isNull() ? 0 : v.toI4();
        } catch (const ComError& e) {
            ASSERT_EQ(e.code(), kItemNotFound);
        }
        row.completed = completed;
        got.push_back(row);
    }
    std::vector<StatusRow> expected = c.expected;
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
