// The component as registered: created by its programmatic identifier through
// libvornhost, and registration itself through the component's own entry
// points. Kept apart from the automation headers, whose constants the public
// header's macros would rewrite.
#pragma once

#include <cstdint>
#include <string>

namespace vorn::host {

/// A new clsReports (its IDispatch) when `VornReports.clsReports` is
/// registered, else null.
/// \throws automation::ComError when it is registered but can't be created
/// or the registry can't be read.
void* createRegisteredReports();

/// Calls DllRegisterServer (or DllUnregisterServer) of the component at `path`.
/// \throws automation::ComError with the component's code and description
void registerComponentAt(const std::string& path, bool unregister);

} // namespace vorn::host
