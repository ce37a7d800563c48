// Rewrites the expressions of a legacy statement for an engine that lacks
// their functions or compares text differently.
//
// Both legacy products compare text without regard to letter case. SQLite
// keeps a column's NOCASE collation only on the bare column, so a comparison
// with a text literal gets an explicit COLLATE NOCASE, which also covers
// derived columns (CASE, COALESCE) that lost it. PostgreSQL compares both
// sides in lower case. Comparisons between two columns keep the columns' own
// collation.
//
// Grouping is left to the collation of the grouped columns. On SQLite the
// tracker's text columns are NOCASE, so "Completed" and "completed" are one
// group, as in the server's default collation. On PostgreSQL with plain text
// columns they are two groups; the status counts still come out right, since
// the roll-up row counts every status and the CASE that picks "COMPLETED"
// ignores case, and CrosstabBuilder joins such pivot columns. Only names that
// differ in case alone (an assignee "bob" and "BOB") stay apart there unless
// the columns carry a case-insensitive collation.
#pragma once

#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/dialect/syntax_node.h"
#include "platform/rdo/dialect/target.h"

#include <cstddef>
#include <vector>

namespace vorn::rdo::dialect {

class ExpressionRewriter {
public:
    ExpressionRewriter(Target target, SourceDialect source);

    /// Rewrites every expression below `root`, subqueries included.
    /// \throws DialectError (kUnsupportedConstruct) for a call or operator with
    ///         no counterpart on the target.
    void rewrite(SyntaxNode& root) const;

private:
    void rewriteCall(NodePtr& slot) const;
    static void rewriteIif(NodePtr& slot, const std::vector<std::size_t>& arguments);
    void rewriteComparison(SyntaxNode& comparison) const;
    void rewriteCase(SyntaxNode& node) const;
    void rewriteLike(SyntaxNode& node) const;
    /// `operand` compared without regard to letter case.
    NodePtr caseless(NodePtr operand, bool isLiteral) const;

    Target target_;
    SourceDialect source_;
};

/// Whether `node` is a text literal: 'Completed'.
bool isStringLiteral(const SyntaxNode& node);
/// Whether `node` is an aggregate call: Count(...), Sum(...), ...
bool isAggregateCall(const SyntaxNode& node);
/// Whether an aggregate call stands anywhere in `node` outside subqueries.
bool containsAggregate(const SyntaxNode& node);

} // namespace vorn::rdo::dialect
