#include "platform/rdo/dialect/text_case.h"

#include <glib.h>

#include <memory>

namespace vorn::rdo::dialect {

namespace {

struct GFreeDeleter {
    void operator()(gchar* text) const noexcept { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = g_ascii_tolower(c);
    }
    return out;
}

} // namespace

std::string caseFolded(std::string_view utf8) {
    // glib reads invalid UTF-8 badly; such text is folded byte by byte.
    if (!g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
        return asciiLower(utf8);
    }
    GText folded(g_utf8_casefold(utf8.data(), static_cast<gssize>(utf8.size())));
    return std::string(folded.get());
}

std::string lowerCase(std::string_view utf8) {
    if (!g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
        return asciiLower(utf8);
    }
    GText lowered(g_utf8_strdown(utf8.data(), static_cast<gssize>(utf8.size())));
    return std::string(lowered.get());
}

} // namespace vorn::rdo::dialect
