#include "platform/rdo/dialect/text_case.h"

#include "platform/automation/ascii_case.h"

#include <glib.h>

#include <memory>

namespace vorn::rdo::dialect {

namespace {

struct GFreeDeleter {
    void operator()(gchar* text) const noexcept { g_free(text); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

} // namespace

std::string caseFolded(std::string_view utf8) {
    // glib reads invalid UTF-8 badly; such text is folded byte by byte.
    if (!g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
        return automation::asciiLower(utf8);
    }
    GText folded(g_utf8_casefold(utf8.data(), static_cast<gssize>(utf8.size())));
    return std::string(folded.get());
}

std::string lowerCase(std::string_view utf8) {
    if (!g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) {
        return automation::asciiLower(utf8);
    }
    GText lowered(g_utf8_strdown(utf8.data(), static_cast<gssize>(utf8.size())));
    return std::string(lowered.get());
}

} // namespace vorn::rdo::dialect
