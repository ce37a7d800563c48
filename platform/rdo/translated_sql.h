// Every statement reaches a backend through here: written in either legacy
// dialect, it is rewritten for the SQL the backend speaks first.
#pragma once

#include "platform/rdo/session.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace vorn::rdo {

/// \throws DatabaseError; automation::ComError for a construct that can't be rewritten.
std::unique_ptr<RowSource> openTranslatedQuery(Session& session, std::string_view sql);
/// \throws DatabaseError; automation::ComError for a construct that can't be rewritten.
std::int64_t executeTranslated(Session& session, std::string_view sql);

} // namespace vorn::rdo
