// One spelling for quoted names on engines that compare them exactly.
//
// [Total of ItemIndex] and [Total Of ItemIndex] are one column in both legacy
// products, but PostgreSQL compares quoted names exactly. So a quoted name
// that is a plain word ([Total], "Created") loses its quotes, letting the
// engine's own folding of bare names apply, and any other quoted name becomes a
// lower-case double-quoted name ("total of itemindex").
#pragma once

#include "platform/rdo/dialect/token.h"

namespace vorn::rdo::dialect {

/// Rewrites a QuotedName token in place; other tokens are left alone.
void normalizeQuotedName(Token& token);

} // namespace vorn::rdo::dialect
