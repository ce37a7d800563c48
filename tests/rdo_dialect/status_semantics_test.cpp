// The Access form of the project status build, translated and run on a real
// SQLite database and folded by the crosstab builder, must come out as the
// legacy product laid it out: one column per status whatever its letter case,
// projects without items kept. (The counts of every form on every backend are
// checked in tests/rdo/translated_sql_test.cpp.)
#include "data/status_queries.h"
#include "platform/rdo/dialect/crosstab_builder.h"
#include "platform/rdo/dialect/translator.h"
#include "tests/rdo_dialect/crosstab_values.h"

#include "tests/support/sqlite_file.h"

#include <gtest/gtest.h>

#include <charconv>

namespace vorn::rdo::dialect {
namespace {

using namespace test;

// SQLite hands the builder whole numbers as numbers, everything else as text.
Value valueOf(const vorn::test::SqliteFile::Cell& cell) {
    if (!cell)
        return {};
    std::int64_t number = 0;
    const char* end = cell->data() + cell->size();
    const auto [stop, error] = std::from_chars(cell->data(), end, number);
    if (error == std::errc() && stop == end && !cell->empty())
        return number;
    return *cell;
}

vorn::test::SqliteFile openTracker() {
    vorn::test::SqliteFile db(":memory:");
    db.run("CREATE TABLE Projects (ProjectIndex INTEGER PRIMARY KEY, "
           "ProjectName TEXT COLLATE NOCASE, Created TEXT, ProjectParent INTEGER);"
           "CREATE TABLE Items (ItemIndex INTEGER PRIMARY KEY, ProjectIndex INTEGER, "
           "Status TEXT COLLATE NOCASE, AssignedTo TEXT COLLATE NOCASE);"
           "INSERT INTO Projects VALUES (1, 'Alpha', '1999-03-01', 0), "
           "(2, 'O''Brien''s Docs', '2000-01-02 10:00:00', 0), "
           "(3, 'Größe Ärger', '2001-05-06', 1), (4, 'Empty', '2002-07-08', 0);"
           "INSERT INTO Items (ProjectIndex, Status, AssignedTo) VALUES "
           "(1, 'Completed', 'bob'), (1, 'completed', 'bob'), (1, 'COMPLETED', 'alice'), "
           "(1, 'Open', 'bob'), (1, NULL, 'alice'), "
           "(2, 'Completed', 'o''neil'), (2, 'Open', 'o''neil'), (2, 'Open', NULL), "
           "(2, 'Erledigt', 'jörg'), "
           "(3, 'Open', 'jörg'), (3, 'open', 'BOB')");
    return db;
}

TEST(StatusSemantics, accessProjectFormHasOneColumnPerStatusIgnoringCase) {
    const vorn::test::SqliteFile tracker = openTracker();
    const Translation t = translate(projectStatusQuery("Access"), Target::SQLite);
    ASSERT_TRUE(t.crosstab);
    CrosstabBuilder<Value> builder(*t.crosstab, textOf, isCellRow);
    for (const auto& cells : tracker.cells(t.sql)) {
        Row row;
        for (const auto& cell : cells)
            row.push_back(valueOf(cell));
        builder.addRow(std::move(row));
    }
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
