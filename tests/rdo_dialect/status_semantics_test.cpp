// The Access form of the project status build, translated and run on a real
// SQLite database and folded by the crosstab builder, must come out as the
// legacy product laid it out: one column per status whatever its letter case,
// projects without items kept. (The counts of every form on every backend are
// checked in tests/rdo/translated_sql_test.cpp.)
#include "data/status_queries.h"
#include "platform/rdo/dialect/crosstab_builder.h"
#include "platform/rdo/dialect/translator.h"
#include "tests/rdo_dialect/crosstab_values.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace vorn::rdo::dialect {
namespace {

using namespace test;

struct Result {
    std::vector<std::string> columns;
    std::vector<Row> rows;
};

class Tracker {
public:
    Tracker() {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open(":memory:", &raw);
        db_.reset(raw);
        if (rc != SQLITE_OK)
            throw std::runtime_error("cannot open the test database");
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
        if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_.get()) + (" in " + sql));
    }

    Result query(const std::string& sql) {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_.get()) + (" in " + sql));
        std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, sqlite3_finalize);
        Result result;
        const int count = sqlite3_column_count(raw);
        for (int i = 0; i < count; ++i)
            result.columns.emplace_back(sqlite3_column_name(raw, i));
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            Row& row = result.rows.emplace_back();
            for (int i = 0; i < count; ++i) {
                const int type = sqlite3_column_type(raw, i);
                if (type == SQLITE_INTEGER)
                    row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(raw, i)));
                else if (type == SQLITE_NULL)
                    row.emplace_back();
                else
                    row.emplace_back(
                        std::string(reinterpret_cast<const char*>(sqlite3_column_text(raw, i))));
            }
        }
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db_.get()));
        return result;
    }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

TEST(StatusSemantics, accessProjectFormHasOneColumnPerStatusIgnoringCase) {
    Tracker tracker;
    const Translation t = translate(projectStatusQuery("Access"), Target::SQLite);
    ASSERT_TRUE(t.crosstab);
    CrosstabBuilder<Value> builder(*t.crosstab, textOf, isCellRow);
    for (Row& row : tracker.query(t.sql).rows)
        builder.addRow(std::move(row));
    const CrosstabTable<Value> result = builder.finish();
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

} // namespace
} // namespace vorn::rdo::dialect
