// Both forms of both status builds, translated and run on a real SQLite
// database, must count what the legacy products counted: letter case of
// statuses ignored, projects without items kept with a total of 0.
#include "platform/rdo/dialect/crosstab_builder.h"
#include "platform/rdo/dialect/text_case.h"
#include "platform/rdo/dialect/translator.h"
#include "tests/rdo_dialect/status_queries.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace vorn::rdo::dialect {
namespace {

using namespace test;

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;
using Row = std::vector<Value>;

struct Result {
    std::vector<std::string> columns;
    std::vector<Row> rows;
};

struct SqliteCloser {
    void operator()(sqlite3* db) const noexcept { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};

class Tracker {
public:
    Tracker() {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open(":memory:", &raw);
        db_.reset(raw);
        if (rc != SQLITE_OK) {
            throw std::runtime_error("cannot open the test database");
        }
        execute("CREATE TABLE Projects (ProjectIndex INTEGER PRIMARY KEY, "
                "ProjectName TEXT COLLATE NOCASE, Created TEXT, ProjectParent INTEGER)");
        execute("CREATE TABLE Items (ItemIndex INTEGER PRIMARY KEY, ProjectIndex INTEGER, "
                "Status TEXT COLLATE NOCASE, AssignedTo TEXT COLLATE NOCASE)");
        execute("INSERT INTO Projects VALUES (1, 'Alpha', '1999-03-01', 0), "
                "(2, 'O''Brien''s Docs', '2000-01-02 10:00:00', 0), "
                "(3, 'Größe Ärger', '2001-05-06', 1), (4, 'Empty', '2002-07-08', 0)");
        execute("INSERT INTO Items (ProjectIndex, Status, AssignedTo) VALUES "
                "(1, 'Completed', 'bob'), (1, 'completed', 'bob'), (1, 'COMPLETED', 'alice'), "
                "(1, 'Open', 'bob'), (1, NULL, 'alice'), "
                "(2, 'Completed', 'o''neil'), (2, 'Open', 'o''neil'), (2, 'Open', NULL), "
                "(2, 'Erledigt', 'jörg'), "
                "(3, 'Open', 'jörg'), (3, 'open', 'BOB')");
    }

    void execute(const std::string& sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string text = message ? message : "unknown error";
            sqlite3_free(message);
            throw std::runtime_error(text + " in " + sql);
        }
    }

    Result query(const std::string& sql) {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
            throw std::runtime_error(std::string(sqlite3_errmsg(db_.get())) + " in " + sql);
        }
        std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(raw);
        Result result;
        const int count = sqlite3_column_count(raw);
        for (int i = 0; i < count; ++i) {
            result.columns.emplace_back(sqlite3_column_name(raw, i));
        }
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            Row row;
            for (int i = 0; i < count; ++i) {
                switch (sqlite3_column_type(raw, i)) {
                case SQLITE_INTEGER:
                    row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(raw, i)));
                    break;
                case SQLITE_FLOAT:
                    row.emplace_back(sqlite3_column_double(raw, i));
                    break;
                case SQLITE_NULL:
                    row.emplace_back();
                    break;
                default:
                    row.emplace_back(
                        std::string(reinterpret_cast<const char*>(sqlite3_column_text(raw, i))));
                }
            }
            result.rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) {
            throw std::runtime_error(sqlite3_errmsg(db_.get()));
        }
        return result;
    }

private:
    std::unique_ptr<sqlite3, SqliteCloser> db_;
};

std::optional<std::string> textOf(const Value& v) {
    if (const auto* text = std::get_if<std::string>(&v)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int64_t>(&v)) {
        return std::to_string(*number);
    }
    return std::nullopt;
}

bool isCellRow(const Value& v) {
    return std::get<std::int64_t>(v) == 1;
}

// The translated text run as the build runs it: a crosstab goes through the
// builder, anything else is read as it comes.
Result run(Tracker& tracker, const std::string& legacySql) {
    const Translation t = translate(legacySql, Target::SQLite);
    Result raw = tracker.query(t.sql);
    if (!t.crosstab) {
        return raw;
    }
    CrosstabBuilder<Value> builder(*t.crosstab, textOf, isCellRow);
    for (Row& row : raw.rows) {
        builder.addRow(std::move(row));
    }
    CrosstabTable<Value> table = builder.finish();
    return {std::move(table.columns), std::move(table.rows)};
}

// Column lookup as the result set does it: by name, letter case ignored.
std::optional<std::size_t> columnIndex(const Result& result, const std::string& name) {
    for (std::size_t i = 0; i < result.columns.size(); ++i) {
        if (caseFolded(result.columns[i]) == caseFolded(name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::int64_t number(const Value& v) {
    if (std::holds_alternative<std::monostate>(v)) {
        return 0; // the builds read a null count as 0
    }
    return std::get<std::int64_t>(v);
}

using Counts = std::pair<std::int64_t, std::int64_t>; // total, completed
using ProjectCounts = std::map<std::int64_t, Counts>;
using UserCounts = std::map<std::pair<std::string, std::int64_t>, Counts>;

Counts countsOf(const Result& result, const Row& row) {
    const std::optional<std::size_t> completed = columnIndex(result, "Completed");
    return {number(row.at(*columnIndex(result, "Total"))), completed ? number(row[*completed]) : 0};
}

ProjectCounts projectCounts(const Result& result) {
    ProjectCounts counts;
    for (const Row& row : result.rows) {
        const std::int64_t project = number(row.at(*columnIndex(result, "ProjectIndex")));
        EXPECT_TRUE(counts.emplace(project, countsOf(result, row)).second) << project;
    }
    return counts;
}

// Rows without an assignee are left out: the server form drops them, and the
// build stops on them in the Access form.
UserCounts userCounts(const Result& result) {
    UserCounts counts;
    for (const Row& row : result.rows) {
        const auto user = textOf(row.at(*columnIndex(result, "AssignedTo")));
        if (!user) {
            continue;
        }
        const std::int64_t project = number(row.at(*columnIndex(result, "ProjectIndex")));
        EXPECT_TRUE(
            counts.emplace(std::pair(caseFolded(*user), project), countsOf(result, row)).second);
    }
    return counts;
}

TEST(StatusSemantics, bothProjectFormsCountStatusesIgnoringCaseAndKeepEmptyProjects) {
    Tracker tracker;
    const ProjectCounts expected = {{1, {5, 3}}, {2, {4, 1}}, {3, {2, 0}}, {4, {0, 0}}};
    EXPECT_EQ(projectCounts(run(tracker, serverProjectStatus())), expected);
    EXPECT_EQ(projectCounts(run(tracker, accessProjectStatus())), expected);
}

TEST(StatusSemantics, accessProjectFormHasOneColumnPerStatusIgnoringCase) {
    Tracker tracker;
    const Result result = run(tracker, accessProjectStatus());
    EXPECT_EQ(result.columns,
              (std::vector<std::string>{"ProjectIndex", "ProjectName", "Created", "Total", "<>",
                                        "Completed", "Erledigt", "Open"}));
    ASSERT_EQ(result.rows.size(), 4u);
    // Rows come sorted by the row headings; names keep their quotes and letters.
    EXPECT_EQ(std::get<std::string>(result.rows[1][1]), "O'Brien's Docs");
    EXPECT_EQ(std::get<std::string>(result.rows[2][1]), "Größe Ärger");
    // The empty project: total 0, its one null-status cell 0, no Completed.
    EXPECT_EQ(result.rows[3], (Row{std::int64_t{4}, std::string("Empty"), std::string("2002-07-08"),
                                   std::int64_t{0}, std::int64_t{0}, Value{}, Value{}, Value{}}));
}

struct UserCase {
    std::string userName;
    UserCounts expected;
};

std::ostream& operator<<(std::ostream& out, const UserCase& c) {
    return out << c.userName;
}

class UserSemantics : public testing::TestWithParam<UserCase> {};

TEST_P(UserSemantics, bothFormsGiveTheSameCountsPerUserAndProject) {
    Tracker tracker;
    EXPECT_EQ(userCounts(run(tracker, serverUserStatus(GetParam().userName))), GetParam().expected);
    EXPECT_EQ(userCounts(run(tracker, accessUserStatus(GetParam().userName))), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Users, UserSemantics,
    testing::Values(UserCase{"",
                             {{{"bob", 1}, {3, 2}},
                              {{"alice", 1}, {2, 1}},
                              {{"o'neil", 2}, {2, 1}},
                              {{"jörg", 2}, {1, 0}},
                              {{"jörg", 3}, {1, 0}},
                              {{"bob", 3}, {1, 0}}}},
                    UserCase{"Bob", {{{"bob", 1}, {3, 2}}, {{"bob", 3}, {1, 0}}}},
                    UserCase{"jörg", {{{"jörg", 2}, {1, 0}}, {{"jörg", 3}, {1, 0}}}},
                    UserCase{"nobody", {}}));

} // namespace
} // namespace vorn::rdo::dialect
