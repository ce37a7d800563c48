// Small helpers of the shared module: the top-level project of a tree path,
// the top-level project of an item, and a database null read as 0.
#pragma once

#include "platform/automation/variant.h"

#include <cstdint>
#include <string>

namespace vorn {

/// The part of `path` after its first "\" (not counting a "\" in the first
/// character), up to the next "\" or the end; the whole path when it has none.
/// \throws automation::ComError overflow when a position passes 32767.
std::string GetProjectFromPath(const std::string& path);

/// The name of the topmost project above the item's project, "None" when there
/// is none. Never fails: a query that can't run ends the walk, and so do a null
/// parent and a circle of parents.
std::string GetItemProject(std::int32_t itemIndex);

/// 0 for a null value, else the value as a 16-bit integer (halves to even).
/// \throws automation::ComError overflow (6) or type mismatch (13).
std::int16_t NullToZero(const automation::Variant& value);

} // namespace vorn
