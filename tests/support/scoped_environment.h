// Sets or removes environment variables for one test and puts them back after.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorn::test {

class ScopedEnvironment {
public:
    /// `afterChange` runs after every change and every restore, for libraries
    /// that remember what they once read from the environment.
    explicit ScopedEnvironment(std::function<void()> afterChange = {})
        : afterChange_(std::move(afterChange)) {}
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const std::string& name, const std::string& value) { change(name, value); }
    void unset(const std::string& name) { change(name, std::nullopt); }

private:
    void change(const std::string& name, const std::optional<std::string>& value);
    void put(const std::string& name, const std::optional<std::string>& value) const;

    std::function<void()> afterChange_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace vorn::test
