// How to read the rows of a translated TRANSFORM ... PIVOT query.
//
// No engine but Access turns data values into columns, so a crosstab is run as
// one query that returns, per group, a header row with the row headings and
// the row-header aggregates, followed by one cell row per pivot value with the
// TRANSFORM aggregate. CrosstabBuilder turns those rows into the crosstab.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vorn::rdo::dialect {

struct Crosstab {
    /// Names of the query's first columns, as the crosstab names them: the
    /// row headings and row-header aggregates of the SELECT list, in order.
    std::vector<std::string> columns;
    /// Where the pivot value, the aggregate and the row kind stand in each
    /// row of the query. The kind is 0 for the header row that starts a group
    /// and 1 for a cell row of that group.
    std::size_t pivotColumn = 0;
    std::size_t cellColumn = 0;
    std::size_t kindColumn = 0;
    /// The TRANSFORM aggregate is a Count or a Sum: cells of pivot values that
    /// differ only in letter case, merged into one column, add up.
    bool additiveCells = false;
    /// PIVOT ... IN (values): exactly these columns, in this order.
    std::optional<std::vector<std::string>> fixedPivotValues;

    /// The column name Access gives the cells of null pivot values.
    static constexpr const char* kNullColumn = "<>";
};

} // namespace vorn::rdo::dialect
