#include "platform/engine/render/windows_font_metrics.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace vorn::engine {
namespace {

struct LockedFace {
    explicit LockedFace(cairo_scaled_font_t* f)
        : font(f), face(cairo_ft_scaled_font_lock_face(f)) {}
    ~LockedFace() {
        if (face)
            cairo_ft_scaled_font_unlock_face(font);
    }
    LockedFace(const LockedFace&) = delete;
    LockedFace& operator=(const LockedFace&) = delete;
    cairo_scaled_font_t* font;
    FT_Face face;
};

} // namespace

FontMetrics windowsMetrics(const WindowsFontTables& t, double emSize) {
    const double winHeight = t.winAscent + t.winDescent;
    const double externalLeading =
        std::max(0.0, t.hheaLineGap - (winHeight - (t.hheaAscender - t.hheaDescender)));
    const double scale = emSize / t.unitsPerEm;
    return {t.winAscent * scale, t.winDescent * scale, (winHeight + externalLeading) * scale};
}

std::optional<WindowsFontTables> readWindowsFontTables(cairo_scaled_font_t* font) {
    if (!font || cairo_scaled_font_get_type(font) != CAIRO_FONT_TYPE_FT)
        return std::nullopt;
    LockedFace locked(font);
    if (!locked.face || locked.face->units_per_EM == 0)
        return std::nullopt;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(locked.face, FT_SFNT_OS2));
    const auto* hhea =
        static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(locked.face, FT_SFNT_HHEA));
    if (!os2 || os2->version == 0xFFFF || !hhea)
        return std::nullopt;
    return WindowsFontTables{
        static_cast<double>(locked.face->units_per_EM), static_cast<double>(os2->usWinAscent),
        static_cast<double>(os2->usWinDescent),         static_cast<double>(hhea->Ascender),
        static_cast<double>(hhea->Descender),           static_cast<double>(hhea->Line_Gap)};
}

} // namespace vorn::engine
