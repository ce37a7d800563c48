// The vertical metrics the designs were drawn with: the ones the original
// platform takes from a font's OS/2 and hhea tables, whatever the font's
// USE_TYPO_METRICS flag asks for.
#pragma once

#include "platform/engine/layout/text_shaper.h"

#include <optional>

typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace vorn::engine {

/// The font's tables, in font units.
struct WindowsFontTables {
    double unitsPerEm = 0;
    double winAscent = 0;  // OS/2 usWinAscent
    double winDescent = 0; // OS/2 usWinDescent
    double hheaAscender = 0;
    double hheaDescender = 0; // negative below the baseline
    double hheaLineGap = 0;
};

/// The first baseline sits winAscent below a text's top; lines follow each other
/// at winAscent + winDescent plus the external leading, the hhea line gap less
/// what the win metrics already hold beyond the hhea ones (never below 0).
FontMetrics windowsMetrics(const WindowsFontTables& tables, double emSize);

/// The tables of the face `font` draws with, or nothing when it has no OS/2 or
/// hhea table (a face that is not TrueType or OpenType).
std::optional<WindowsFontTables> readWindowsFontTables(cairo_scaled_font_t* font);

} // namespace vorn::engine
