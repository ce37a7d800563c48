#include "scoped_environment.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>

namespace vorn::engine::testing {
namespace {

// libcups remembers the server it found; make it look at the environment again.
void forgetCupsServer() {
    cupsSetServer(nullptr);
}

} // namespace

ScopedEnvironment::~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second)
            setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            unsetenv(it->first.c_str());
    }
    forgetCupsServer();
}

void ScopedEnvironment::remember(const std::string& name) {
    const bool known = std::any_of(saved_.begin(), saved_.end(),
                                   [&](const auto& entry) { return entry.first == name; });
    if (known)
        return;
    const char* value = std::getenv(name.c_str());
    saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
}

void ScopedEnvironment::set(const std::string& name, const std::string& value) {
    remember(name);
    setenv(name.c_str(), value.c_str(), 1);
    forgetCupsServer();
}

void ScopedEnvironment::unset(const std::string& name) {
    remember(name);
    unsetenv(name.c_str());
    forgetCupsServer();
}

} // namespace vorn::engine::testing
