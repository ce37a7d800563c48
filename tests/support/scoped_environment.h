// Sets or removes environment variables for one test and puts them back after.
#pragma once

#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace vorn::test {

class ScopedEnvironment {
public:
    /// `afterChange` runs after every change and every restore, for libraries
    /// that remember what they once read from the environment.
    explicit ScopedEnvironment(std::function<void()> afterChange = {})
        : afterChange_(std::move(afterChange)) {}
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_)
            put(name, value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const std::string& name, const std::string& value) { change(name, value); }
    void unset(const std::string& name) { change(name, std::nullopt); }

private:
    void change(const std::string& name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name.c_str());
        saved_.try_emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        put(name, value);
    }
    void put(const std::string& name, const std::optional<std::string>& value) const {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
        if (afterChange_)
            afterChange_();
    }

    std::function<void()> afterChange_;
    std::map<std::string, std::optional<std::string>>
        saved_; // as they were before the first change
};

} // namespace vorn::test
