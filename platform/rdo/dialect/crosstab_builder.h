// Builds Access's crosstab from the rows of a translated TRANSFORM query: one
// row per group with its row headings and row-header aggregates, then one
// column per distinct pivot value, named by the value ("<>" for null), in
// ascending order. Pivot values that differ only in letter case are one
// column, named as the first of them was spelled; a cell no row reached is
// null, as in Access.
//
// Value is the caller's value type. The builder needs from a value only its
// text (none for a null) and whether a row-kind value marks a cell row, through
// the two functions given to the constructor, and a null to fill empty cells.
#pragma once

#include "platform/rdo/dialect/crosstab.h"
#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/pivot_columns.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorn::rdo::dialect {

template <class Value> struct CrosstabTable {
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> rows;
};

template <class Value> class CrosstabBuilder {
public:
    using TextOf = std::function<std::optional<std::string>(const Value&)>;
    using IsCellRow = std::function<bool(const Value&)>;
    /// Adds two cells of one column (for additive aggregates).
    using Add = std::function<Value(const Value&, const Value&)>;

    CrosstabBuilder(Crosstab layout, TextOf textOf, IsCellRow isCellRow, Value null = Value{},
                    Add add = nullptr)
        : layout_(std::move(layout)), textOf_(std::move(textOf)), isCellRow_(std::move(isCellRow)),
          null_(std::move(null)), add_(std::move(add)), pivots_(layout_.fixedPivotValues) {}

    /// Takes one row of the query, in the query's order.
    /// \throws DialectError (kMalformedSql) for a row too short for the
    ///         layout, or a cell row before any header row.
    void addRow(std::vector<Value> row) {
        if (row.size() <= layout_.kindColumn || row.size() <= layout_.cellColumn ||
            row.size() <= layout_.pivotColumn) {
            throw DialectError::malformed("crosstab row with " + std::to_string(row.size()) +
                                          " columns");
        }
        if (!isCellRow_(row[layout_.kindColumn])) {
            Group group;
            group.headings.assign(
                std::make_move_iterator(row.begin()),
                std::make_move_iterator(row.begin() +
                                        static_cast<std::ptrdiff_t>(layout_.columns.size())));
            groups_.push_back(std::move(group));
            return;
        }
        if (groups_.empty()) {
            throw DialectError::malformed("crosstab cell before its group");
        }
        const std::optional<std::size_t> column = pivots_.add(textOf_(row[layout_.pivotColumn]));
        if (!column) {
            return;
        }
        auto& cells = groups_.back().cells;
        for (auto& [existing, value] : cells) {
            if (existing == *column) {
                // Spellings that differ only in case share the column: a count
                // or sum adds up, any other aggregate keeps the first cell.
                if (layout_.additiveCells && add_) {
                    value = add_(value, row[layout_.cellColumn]);
                }
                return;
            }
        }
        cells.emplace_back(*column, std::move(row[layout_.cellColumn]));
    }

    /// The crosstab of every row taken so far.
    CrosstabTable<Value> finish() {
        CrosstabTable<Value> table;
        table.columns = layout_.columns;
        const std::vector<std::size_t> order = pivots_.sortedOrder();
        std::vector<std::size_t> position(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            table.columns.push_back(pivots_.name(order[i]));
            position[order[i]] = i;
        }
        table.rows.reserve(groups_.size());
        for (Group& group : groups_) {
            std::vector<Value> row = std::move(group.headings);
            const std::size_t first = row.size();
            row.resize(first + order.size(), null_);
            for (auto& [column, value] : group.cells) {
                row[first + position[column]] = std::move(value);
            }
            table.rows.push_back(std::move(row));
        }
        groups_.clear();
        return table;
    }

private:
    struct Group {
        std::vector<Value> headings;
        std::vector<std::pair<std::size_t, Value>> cells;
    };

    Crosstab layout_;
    TextOf textOf_;
    IsCellRow isCellRow_;
    Value null_;
    Add add_;
    PivotColumns pivots_;
    std::vector<Group> groups_;
};

} // namespace vorn::rdo::dialect
