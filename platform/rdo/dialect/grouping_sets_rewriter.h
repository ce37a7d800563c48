// GROUP BY ... WITH CUBE and WITH ROLLUP of Transact-SQL for other engines.
//
// PostgreSQL has GROUP BY CUBE(...) and ROLLUP(...) with GROUPING(). SQLite has
// neither, so the SELECT becomes a UNION ALL with one branch per grouping set:
// in a branch the rolled-up columns read as NULL outside aggregates and
// GROUPING(column) is the constant 1 for them, 0 for the others. The branch
// that groups by every column comes first, so the union's column names are
// the original ones. CUBE of n columns gives 2^n branches, ROLLUP n + 1.
//
// Grouping sets whose rows the enclosing query discards anyway (it requires a
// rolled-up column to be not null) are left out on both targets; PostgreSQL
// then gets GROUP BY GROUPING SETS with the sets that remain.
#pragma once

#include "platform/rdo/dialect/syntax_node.h"
#include "platform/rdo/dialect/target.h"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace vorn::rdo::dialect {

class GroupingSetsRewriter {
public:
    explicit GroupingSetsRewriter(Target target) : target_(target) {}

    /// Rewrites every SELECT with CUBE or ROLLUP below `root`.
    /// \throws DialectError (kUnsupportedConstruct) for CUBE over more columns
    ///         than kMaxCubeColumns on SQLite, a CUBE SELECT joined to others by
    ///         a set operator, or GROUPING() outside a CUBE or ROLLUP SELECT.
    void rewrite(SyntaxNode& root) const;

    /// 2^12 branches is as far as a UNION ALL stays reasonable.
    static constexpr std::size_t kMaxCubeColumns = 12;

private:
    void rewriteQuery(SyntaxNode& query, const std::set<std::string>& notNull) const;
    void useNativeGrouping(SyntaxNode& select) const;
    void useGroupingSets(SyntaxNode& select, const std::vector<unsigned>& sets) const;

    Target target_;
};

} // namespace vorn::rdo::dialect
