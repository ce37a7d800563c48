// Turns Access's TRANSFORM ... PIVOT into one query that any engine runs.
//
//   TRANSFORM agg SELECT headings, header-aggregates FROM f WHERE w
//   GROUP BY g PIVOT p
// becomes
//   SELECT headings, header-aggregates, NULL, NULL, 0 FROM f WHERE w GROUP BY g
//   UNION ALL
//   SELECT headings, NULL..., p, agg, 1 FROM f WHERE w GROUP BY g, p
//   ORDER BY headings, kind
// so each group's header row comes first, followed by its cells. Access sorts
// a crosstab by its row headings, which the ORDER BY keeps.
#pragma once

#include "platform/rdo/dialect/crosstab.h"
#include "platform/rdo/dialect/syntax_node.h"

namespace vorn::rdo::dialect {

class CrosstabRewriter {
public:
    /// Replaces the Transform node in `statement` with the query and returns
    /// the layout of its rows.
    /// \throws DialectError (kUnsupportedConstruct) for a TRANSFORM without
    ///         GROUP BY, with HAVING, with a GROUP BY column that is not a row
    ///         heading, or with PIVOT IN values that are not constants.
    Crosstab rewrite(NodePtr& statement) const;

    static constexpr const char* kPivotAlias = "xtab_pivot";
    static constexpr const char* kCellAlias = "xtab_cell";
    static constexpr const char* kKindAlias = "xtab_kind";
};

} // namespace vorn::rdo::dialect
