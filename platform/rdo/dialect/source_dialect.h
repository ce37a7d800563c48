// Tells from a statement's own tokens which legacy dialect it is written in.
//
// The rule, first match wins (keywords in any letter case; nothing inside
// strings, quoted names or comments counts):
//  1. a statement that starts with TRANSFORM, or with DELETE not followed by
//     FROM ("DELETE * FROM t", "DELETE t.* FROM t"), is Access SQL;
//  2. GROUP BY ... WITH CUBE or WITH ROLLUP anywhere is Transact-SQL;
//  3. the first ISNULL call decides: with two arguments it is Transact-SQL's
//     ISNULL(a, b), with one it is Access's IsNull(x);
//  4. a call of Nz or IIf is Access SQL;
//  5. & beside a text literal is Access's join of text (without one it may
//     as well be Transact-SQL's bitwise AND, which the targets share);
//  6. + beside a text literal joins text: taken as Transact-SQL, whose +
//     means what Access's does;
//  7. anything else is the common core of both and of standard SQL, unless
//     the connection declares its database's dialect: to an Access database
//     "Open" is a text, not a name, and & always joins text.
#pragma once

#include "platform/rdo/dialect/token.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn::rdo::dialect {

enum class SourceDialect { Common, TransactSql, Access };

struct DialectFinding {
    SourceDialect dialect = SourceDialect::Common;
    std::string construct; // the construct that decided it, e.g. "WITH CUBE"
};

DialectFinding detectDialect(const std::vector<Token>& tokens);
/// Whether the symbol `op` stands among the tokens (outside strings and names).
bool containsOperator(const std::vector<Token>& tokens, std::string_view op);

} // namespace vorn::rdo::dialect
