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
//  5. the operator & is Access's join of text (in Transact-SQL, decided by the
//     rules above, it is a bitwise AND as on the targets);
//  6. + beside a text literal joins text: taken as Transact-SQL, whose +
//     means what Access's does;
//  7. anything else is the common core of both and of standard SQL, unless
//     the connection declares its database's dialect (an Access database
//     speaks Access SQL, where "Open" is a text, not a name).
#pragma once

#include "platform/rdo/dialect/token.h"

#include <string>
#include <vector>

namespace vorn::rdo::dialect {

enum class SourceDialect { Common, TransactSql, Access };

struct DialectFinding {
    SourceDialect dialect = SourceDialect::Common;
    std::string construct; // the construct that decided it, e.g. "WITH CUBE"
};

DialectFinding detectDialect(const std::vector<Token>& tokens);

} // namespace vorn::rdo::dialect
