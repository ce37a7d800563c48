// ODBC connect strings: "KEY=value;" pairs, values in {braces} when they hold
// ';' (a '}' inside braces is written twice), keys matched without regard to
// letter case. The last of repeated keys wins, as the driver manager does it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorn::rdo {

class ConnectString {
public:
    /// \throws automation::ComError kBadConnectString for an unclosed brace.
    explicit ConnectString(std::string_view text);

    std::optional<std::string> get(std::string_view key) const;
    bool has(std::string_view key) const { return get(key).has_value(); }
    const std::string& text() const noexcept { return text_; }

private:
    std::string text_;
    std::vector<std::pair<std::string, std::string>> pairs_;
};

} // namespace vorn::rdo
