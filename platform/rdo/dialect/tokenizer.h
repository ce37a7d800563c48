// Splits an SQL text of either legacy dialect into tokens.
#pragma once

#include "platform/rdo/dialect/token.h"

#include <string_view>
#include <vector>

namespace vorn::rdo::dialect {

/// The tokens of `sql`, ending with one End token. Joining every token's
/// leading text and text gives `sql` back unchanged.
/// \throws DialectError (kMalformedSql) for an unterminated string, quoted
///         name or comment.
std::vector<Token> tokenize(std::string_view sql);

} // namespace vorn::rdo::dialect
