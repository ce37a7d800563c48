#include "data/sql_text.h"

namespace vorn {

std::string basicNumber(std::int32_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string quoteDoubled(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (const char c : text) {
        out.push_back(c);
        if (c == '\'')
            out.push_back('\'');
    }
    return out;
}

std::string trimmedText(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace vorn
