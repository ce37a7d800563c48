#include "platform/automation/bstr.h"

#include "platform/automation/utf.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace vorn::automation {

BSTR allocBstr(std::u16string_view text) {
    const std::size_t bytes = text.size() * sizeof(OLECHAR);
    if (bytes > std::numeric_limits<std::uint32_t>::max() - 16)
        throw std::bad_alloc();
    auto* block = static_cast<unsigned char*>(std::malloc(4 + bytes + sizeof(OLECHAR)));
    if (!block)
        throw std::bad_alloc();
    const auto length = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &length, 4);
    auto* units = reinterpret_cast<OLECHAR*>(block + 4);
    if (bytes)
        std::memcpy(units, text.data(), bytes);
    units[text.size()] = 0;
    return units;
}

BSTR allocBstrUtf8(std::string_view text) {
    return allocBstr(toUtf16(text));
}

void freeBstr(BSTR text) noexcept {
    if (text)
        std::free(reinterpret_cast<unsigned char*>(text) - 4);
}

UINT bstrLength(const OLECHAR* text) noexcept {
    if (!text)
        return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(text) - 4, 4);
    return bytes / sizeof(OLECHAR);
}

std::u16string_view bstrView(const OLECHAR* text) noexcept {
    if (!text)
        return {};
    return {text, bstrLength(text)};
}

std::string bstrToUtf8(const OLECHAR* text) {
    return toUtf8(bstrView(text));
}

} // namespace vorn::automation
