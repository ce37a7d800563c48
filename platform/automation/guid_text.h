// Class and interface identifiers as the registry writes them:
// "{6B916C62-3383-11D3-89C6-00A024AC46EE}", upper-case, in braces.
#pragma once

#include "platform/automation/com.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorn::automation {

std::string guidText(const GUID& guid);
/// Either case; braces required. Nothing for anything else.
std::optional<GUID> parseGuid(std::string_view text) noexcept;

} // namespace vorn::automation
