// Which output columns of a derived table the enclosing SELECT keeps only when
// they are not null.
//
// The status texts wrap a CUBE in "(...) AS P1 WHERE P1.x Is Not Null And ...":
// every grouping set that rolls x up yields rows with x NULL, which that WHERE
// throws away. Knowing this lets the grouping-sets rewrite skip those sets
// instead of computing and discarding them.
#pragma once

#include "platform/rdo/dialect/syntax_node.h"

#include <map>
#include <set>
#include <string>

namespace vorn::rdo::dialect {

/// Output column names (letter case folded) per derived-table Query node.
using NotNullColumns = std::map<const SyntaxNode*, std::set<std::string>>;

/// Looks at every SELECT below `root` whose WHERE is a conjunction (AND, with
/// any parentheses) containing "alias.column IS NOT NULL" for an alias of a
/// derived table in its FROM. Conditions under OR or NOT require nothing.
NotNullColumns findNotNullColumns(const SyntaxNode& root);

/// The name a SELECT item gives its column: its alias, else the last part of
/// a plain column name; empty for an unnamed expression. Letter case folded.
std::string outputName(const SyntaxNode& selectItem);

} // namespace vorn::rdo::dialect
