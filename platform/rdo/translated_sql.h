// Every statement reaches a backend through here: written in either legacy
// dialect, it is rewritten for the SQL the backend speaks first.
#pragma once

#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/session.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace vorn::rdo {

/// `declared`: the dialect of the database the connection names (see
/// declaredDialect), for texts that show none of their own.
/// \throws DatabaseError; automation::ComError for a construct that can't be rewritten.
std::unique_ptr<RowSource>
openTranslatedQuery(Session& session, std::string_view sql,
                    dialect::SourceDialect declared = dialect::SourceDialect::Common);
/// \throws DatabaseError; automation::ComError for a construct that can't be rewritten.
std::int64_t executeTranslated(Session& session, std::string_view sql,
                               dialect::SourceDialect declared = dialect::SourceDialect::Common);

} // namespace vorn::rdo
