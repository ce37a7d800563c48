// The registry file that registration writes and hosts read: one file per
// user, shared by every process of that user. Readers take a shared lock,
// writers an exclusive one; a writer replaces the file by renaming a complete
// new copy over it, so a reader never sees half a file.
#pragma once

#include "platform/automation/registry/registry_document.h"

#include <functional>
#include <string>

namespace vorn::automation {

/// $VORN_REGISTRY when set, else $XDG_DATA_HOME/vornreports/registry.reg,
/// else ~/.local/share/vornreports/registry.reg.
std::string registryPath();

/// The registry as it stands; an empty one when the file does not exist.
/// \throws ComError REGDB_E_READREGDB when it can't be read or is malformed.
RegistryDocument readRegistry(const std::string& path);

/// Reads the registry, lets `change` edit it and writes it back, all under
/// the lock. A malformed file is left as it is.
/// \throws ComError REGDB_E_READREGDB or REGDB_E_WRITEREGDB
void updateRegistry(const std::string& path, const std::function<void(RegistryDocument&)>& change);

} // namespace vorn::automation
