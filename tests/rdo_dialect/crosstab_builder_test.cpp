#include "platform/rdo/dialect/crosstab_builder.h"

#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <variant>

namespace vorn::rdo::dialect {
namespace {

// Row values as SQLite hands them over, and the builder's two readers.
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;
using Row = std::vector<Value>;

std::optional<std::string> textOf(const Value& v) {
    if (const auto* text = std::get_if<std::string>(&v))
        return *text;
    if (const auto* number = std::get_if<std::int64_t>(&v))
        return std::to_string(*number);
    return std::nullopt;
}

bool isCellRow(const Value& v) {
    return std::get<std::int64_t>(v) == 1;
}

const Value null{};
Value n(std::int64_t v) {
    return Value(v);
}
Value s(const char* v) {
    return Value(std::string(v));
}

// ProjectIndex, Total | pivot, cell, kind
Crosstab layout() {
    Crosstab c;
    c.columns = {"ProjectIndex", "Total"};
    c.pivotColumn = 2;
    c.cellColumn = 3;
    c.kindColumn = 4;
    return c;
}

TEST(CrosstabBuilder, givesOneRowPerGroupAndOneColumnPerPivotValueInOrder) {
    CrosstabBuilder<Value> builder(layout(), textOf, isCellRow);
    for (Row row :
         {Row{n(1), n(6), null, null, n(0)}, Row{n(1), null, s("Open"), n(2), n(1)},
          Row{n(1), null, s("Completed"), n(3), n(1)}, Row{n(1), null, null, n(1), n(1)},
          Row{n(2), n(0), null, null, n(0)}, Row{n(2), null, null, n(0), n(1)},
          Row{n(3), n(1), null, null, n(0)}, Row{n(3), null, s("completed"), n(1), n(1)}}) {
        builder.addRow(std::move(row));
    }
    const CrosstabTable<Value> table = builder.finish();
    // Null first as "<>", then ascending; "Completed" and "completed" are one
    // column named as first seen.
    EXPECT_EQ(table.columns,
              (std::vector<std::string>{"ProjectIndex", "Total", "<>", "Completed", "Open"}));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0], (Row{n(1), n(6), n(1), n(3), n(2)}));
    EXPECT_EQ(table.rows[1], (Row{n(2), n(0), n(0), null, null}));
    EXPECT_EQ(table.rows[2], (Row{n(3), n(1), null, n(1), null}));
}

TEST(CrosstabBuilder, countsOfSpellingsThatDifferOnlyInCaseAddUp) {
    // A case-sensitive server groups "Completed" and "completed" apart; the
    // one column they share must hold both counts.
    const auto add = [](const Value& a, const Value& b) {
        return Value(std::get<std::int64_t>(a) + std::get<std::int64_t>(b));
    };
    for (bool additive : {true, false}) {
        Crosstab c = layout();
        c.additiveCells = additive;
        CrosstabBuilder<Value> builder(c, textOf, isCellRow, Value{}, add);
        for (Row row :
             {Row{n(1), n(3), null, null, n(0)}, Row{n(1), null, s("Completed"), n(2), n(1)},
              Row{n(1), null, s("completed"), n(1), n(1)}})
            builder.addRow(std::move(row));
        // Any other aggregate keeps the first cell rather than inventing a sum.
        EXPECT_EQ(builder.finish().rows.at(0), (Row{n(1), n(3), n(additive ? 3 : 2)}));
    }
}

TEST(CrosstabBuilder, sortsNumbersByValueAndTextsIgnoringCase) {
    CrosstabBuilder<Value> builder(layout(), textOf, isCellRow);
    builder.addRow({n(1), n(4), null, null, n(0)});
    for (Value pivot : {s("beta"), n(10), s("Alpha"), n(9), s("Ärger")}) {
        builder.addRow({n(1), null, pivot, n(1), n(1)});
    }
    EXPECT_EQ(builder.finish().columns, (std::vector<std::string>{"ProjectIndex", "Total", "9",
                                                                  "10", "Alpha", "beta", "Ärger"}));
}

TEST(CrosstabBuilder, fixedPivotValuesGiveExactlyThoseColumns) {
    Crosstab fixed = layout();
    fixed.fixedPivotValues = std::vector<std::string>{"Open", "Completed"};
    CrosstabBuilder<Value> builder(fixed, textOf, isCellRow, s("none"));
    builder.addRow({n(1), n(3), null, null, n(0)});
    builder.addRow({n(1), null, s("COMPLETED"), n(2), n(1)});
    builder.addRow({n(1), null, s("Deferred"), n(1), n(1)});
    builder.addRow({n(1), null, null, n(5), n(1)});
    const CrosstabTable<Value> table = builder.finish();
    EXPECT_EQ(table.columns,
              (std::vector<std::string>{"ProjectIndex", "Total", "Open", "Completed"}));
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (Row{n(1), n(3), s("none"), n(2)}));
}

TEST(CrosstabBuilder, rejectsRowsThatDoNotFitTheLayoutAndMayEndEmpty) {
    CrosstabBuilder<Value> builder(layout(), textOf, isCellRow);
    const Row cell{n(1), null, s("Open"), n(1), n(1)}, shortRow{n(1), n(2)};
    vorn::test::expectError<DialectError>([&] { builder.addRow(cell); }, kMalformedSql,
                                          "crosstab cell before its group");
    vorn::test::expectError<DialectError>([&] { builder.addRow(shortRow); }, kMalformedSql,
                                          "crosstab row with 2 columns");
    const CrosstabTable<Value> table = builder.finish();
    EXPECT_EQ(table.columns, (std::vector<std::string>{"ProjectIndex", "Total"}));
    EXPECT_TRUE(table.rows.empty());
}

} // namespace
} // namespace vorn::rdo::dialect
