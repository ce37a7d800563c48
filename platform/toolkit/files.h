// Files as the component needs them: its own folder, existence, copying.
#pragma once

#include <string>

namespace vorn::toolkit {

/// The folder that holds the file this code was loaded from (vornout.so for
/// the component), without a trailing separator.
std::string componentFolder();

/// Makes componentFolder() answer `folder` instead (empty: the real one again),
/// so that tests can give each case a folder of its own.
void setComponentFolderForTesting(std::string folder);

bool fileExists(const std::string& path);

/// Copies `from` over `to`, replacing it, unless another process holds a lock
/// on `to` (a database in use).
/// \throws automation::ComError file not found (53) or permission denied (70),
/// with the path and the system's reason in the description.
void copyFile(const std::string& from, const std::string& to);

} // namespace vorn::toolkit
