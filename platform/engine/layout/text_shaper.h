// How layout sees text: fonts by id, their metrics, widths, and shaped runs kept
// once per distinct (font, text). Lengths are points. The layout code needs no
// more than this, so it can run with a stand-in that knows no real font.
#pragma once

#include "platform/engine/model/font_style.h"

#include <cstdint>
#include <string_view>

namespace vorn::engine {

using FontId = std::uint16_t;
using RunId = std::uint32_t;

struct FontMetrics {
    double ascent = 0;     // baseline below the line's top
    double descent = 0;    // below the baseline
    double lineHeight = 0; // baseline to baseline
};

class TextShaper {
public:
    virtual ~TextShaper() = default;

    virtual FontId font(const FontStyle& style) = 0;
    virtual FontMetrics metrics(FontId font) const = 0;
    /// Width of `text` set in `font`, without keeping anything.
    virtual double measure(FontId font, std::string_view text) = 0;
    /// The shaped run of `text` in `font`; the same (font, text) gives the same id.
    virtual RunId shape(FontId font, std::string_view text) = 0;
    virtual double width(RunId run) const = 0;
    virtual std::string_view text(RunId run) const = 0;
};

} // namespace vorn::engine
