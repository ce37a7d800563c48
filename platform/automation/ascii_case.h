// Letter case of ASCII text: keywords, type words, connect-string keys and
// member names, which compare without regard to case in the C locale
// whatever the host's locale is. Text in any script folds in
// platform/rdo/dialect/text_case.h.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace vorn::automation {

constexpr char asciiLower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char asciiUpper(char c) noexcept {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string asciiLower(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](char c) { return asciiLower(c); });
    return out;
}

inline std::string asciiUpper(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](char c) { return asciiUpper(c); });
    return out;
}

constexpr bool asciiEqualNoCase(std::string_view a, std::string_view b) noexcept {
    return std::ranges::equal(a, b, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

} // namespace vorn::automation
