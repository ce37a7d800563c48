#include "platform/rdo/column_name.h"

namespace vorn::rdo {
namespace {

char16_t folded(char16_t c) noexcept {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    // Latin Extended-A pairs upper and lower case as even and odd neighbours.
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool isUpper = oddUpper ? (c % 2 == 1) : (c % 2 == 0);
        return isUpper ? static_cast<char16_t>(c + 1) : c;
    }
    return c;
}

} // namespace

bool columnNamesEqual(std::u16string_view a, std::u16string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && folded(a[i]) != folded(b[i]))
            return false;
    return true;
}

} // namespace vorn::rdo
