#include "scoped_environment.h"

#include <algorithm>
#include <cstdlib>

namespace vorn::test {

ScopedEnvironment::~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
        put(it->first, it->second);
}

void ScopedEnvironment::change(const std::string& name, const std::optional<std::string>& value) {
    if (std::none_of(saved_.begin(), saved_.end(),
                     [&](const auto& s) { return s.first == name; })) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }
    put(name, value);
}

void ScopedEnvironment::put(const std::string& name,
                            const std::optional<std::string>& value) const {
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
    if (afterChange_)
        afterChange_();
}

} // namespace vorn::test
