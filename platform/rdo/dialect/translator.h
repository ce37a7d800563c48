// Runs the SQL texts of the two legacy products (the server form in
// Transact-SQL, the Access form in Jet SQL) on every engine the component
// supports, with their original meaning.
//
// The caller does not say which dialect a text is in: it is told from the
// text itself (see source_dialect.h). Statements in the common core of SQL
// pass through unchanged apart from their quoted names (see
// name_normalizer.h); the legacy constructs are parsed and rewritten.
#pragma once

#include "platform/rdo/dialect/crosstab.h"
#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/dialect/target.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorn::rdo::dialect {

struct Translation {
    /// What to run on the target.
    std::string sql;
    /// Set for TRANSFORM ... PIVOT: the rows of `sql` are to be turned into
    /// the crosstab by a CrosstabBuilder with this layout.
    std::optional<Crosstab> crosstab;
};

/// `declared` is the dialect of the database the statement was written for,
/// when the connection knows it; it decides only for a text that shows no
/// dialect of its own.
/// \throws DialectError: kUnsupportedConstruct naming a construct that has no
///         translation for `target` (e.g. "TRANSFORM without PIVOT", "WITH CUBE
///         in Access"), kMalformedSql for text that is not SQL.
Translation translate(std::string_view sql, Target target,
                      SourceDialect declared = SourceDialect::Common);

} // namespace vorn::rdo::dialect
