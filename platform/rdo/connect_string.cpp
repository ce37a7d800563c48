#include "platform/rdo/connect_string.h"

#include "platform/automation/ascii_case.h"
#include "platform/automation/com_error.h"
#include "platform/rdo/error_codes.h"

#include <algorithm>
#include <cctype>

namespace vorn::rdo {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool keysEqual(std::string_view a, std::string_view b) {
    return automation::asciiEqualNoCase(a, b);
}

} // namespace

ConnectString::ConnectString(std::string_view text) : text_(text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t equals = text.find('=', i);
        const std::size_t semicolon = text.find(';', i);
        if (equals == std::string_view::npos || semicolon < equals) {
            // A fragment without '=' carries nothing; drivers ignore it too.
            i = semicolon == std::string_view::npos ? text.size() : semicolon + 1;
            continue;
        }
        const std::string key(trimmed(text.substr(i, equals - i)));
        std::size_t j = equals + 1;
        while (j < text.size() && text[j] == ' ')
            ++j;
        std::string value;
        if (j < text.size() && text[j] == '{') {
            ++j;
            bool closed = false;
            while (j < text.size()) {
                if (text[j] == '}') {
                    if (j + 1 < text.size() && text[j + 1] == '}') {
                        value += '}';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                value += text[j++];
            }
            if (!closed)
                throw automation::ComError(
                    kBadConnectString, "Unclosed brace in the connect string after " + key + "=");
            const std::size_t end = text.find(';', j);
            i = end == std::string_view::npos ? text.size() : end + 1;
        } else {
            const std::size_t end = text.find(';', j);
            value =
                std::string(trimmed(text.substr(j, end == std::string_view::npos ? end : end - j)));
            i = end == std::string_view::npos ? text.size() : end + 1;
        }
        pairs_.emplace_back(key, std::move(value));
    }
}

std::optional<std::string> ConnectString::get(std::string_view key) const {
    for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it)
        if (keysEqual(it->first, key))
            return it->second;
    return std::nullopt;
}

} // namespace vorn::rdo
