// Text joined with Access's & and with + of both legacy products, for engines
// on which & is a bitwise AND and + only adds (SQLite reads 'a' + 'b' as 0).
//
// Access's & always joins text: numbers join as their text, Null as empty
// text, and it binds more loosely than any arithmetic, so `a & b + 1` joins a
// to the sum. It becomes
//     (COALESCE(CAST(a AS TEXT), '') || COALESCE(CAST(b + 1 AS TEXT), ''))
// with text literals left as they are. Where every operand is Null, Access
// gives Null and the targets give ''.
//
// + joins text only when its operands are text; with a number the legacy
// products add (converting the text). The operands' types are known only for
// literals and a few expressions, so the rule, read left to right, is:
//   - text + text, text + unknown, unknown + text: join, with ||, which like
//     + gives Null when either side is Null;
//   - anything + number, number + anything, unknown + unknown: add, as
//     written;
//   - a chain that would both join and add (a + b + 'x': a and b of unknown
//     type), or text with - * / and the like beside the +, can't be decided
//     and is refused.
// Known text: a text literal, a join, and the calls of kTextFunctions.
// Known number: a number literal, a signed one, and Count().
#pragma once

#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/dialect/syntax_node.h"

namespace vorn::rdo::dialect {

/// Rewrites `slot` when it is a run of arithmetic operators that joins text;
/// leaves any other node alone.
/// \throws DialectError (kUnsupportedConstruct) for a + that can't be told to
///         join or add.
void rewriteConcatenation(NodePtr& slot, SourceDialect source);

} // namespace vorn::rdo::dialect
