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
//  5. anything else is the common core of both and of standard SQL.
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
