// Sets or removes environment variables for one test and puts them back after.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorn::engine::testing {

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const std::string& name, const std::string& value) { change(name, value); }
    void unset(const std::string& name) { change(name, std::nullopt); }

private:
    void change(const std::string& name, const std::optional<std::string>& value);
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace vorn::engine::testing
