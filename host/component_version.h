// The version strings a component file carries in its section .vorn.version,
// read from the file as a tool would, without loading it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vorn::host {

using VersionStrings = std::vector<std::pair<std::string, std::string>>;

/// The "Name=value" lines of the file's .vorn.version section, in order.
/// \throws std::runtime_error when the file can't be read, is not a 64-bit
/// ELF file or has no such section.
VersionStrings readVersionStrings(const std::string& path);

} // namespace vorn::host
