#include "platform/automation/guid_text.h"

#include <cstdio>

namespace vorn::automation {

std::string guidText(const GUID& g) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

std::optional<GUID> parseGuid(std::string_view text) noexcept {
    // Digit positions inside the braces: 8-4-4-4-12.
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return std::nullopt;
    std::uint8_t bytes[16];
    std::size_t at = 1;
    for (std::uint8_t& byte : bytes) {
        if (at == 9 || at == 14 || at == 19 || at == 24) {
            if (text[at] != '-')
                return std::nullopt;
            ++at;
        }
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            const char c = text[at++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + digit;
        }
        byte = static_cast<std::uint8_t>(value);
    }
    GUID g{};
    g.Data1 = (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
              (std::uint32_t(bytes[2]) << 8) | bytes[3];
    g.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    g.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i)
        g.Data4[i] = bytes[8 + i];
    return g;
}

} // namespace vorn::automation
