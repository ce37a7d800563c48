// What registering the component records: the programmatic identifier, the
// class with its in-process server, the type library and the interface, as
// in-process automation servers record them.
#pragma once

#include <string>

namespace vorn {

/// Writes the records, pointing at `componentPath`, into the registry file.
/// \throws automation::ComError with a REGDB_E_* code
void registerComponent(const std::string& registry, const std::string& componentPath);

/// Removes the values that registering `componentPath` wrote, where they still
/// hold what it wrote, and then those of its keys that are left empty.
/// \throws automation::ComError with a REGDB_E_* code
void unregisterComponent(const std::string& registry, const std::string& componentPath);

} // namespace vorn
