// Prints one band once: turns its visible controls, with the texts they hold
// now, into positioned items. Fields that can grow wrap their text and push the
// controls below them down; the band grows with them. Text that cannot grow is
// cut at the control's width and height, never clipped.
#pragma once

#include "platform/engine/layout/page_items.h"
#include "platform/engine/layout/text_shaper.h"
#include "platform/engine/model/section.h"

#include <string_view>
#include <utility>
#include <vector>

namespace vorn::engine {

class BandRenderer {
public:
    BandRenderer(TextShaper& shaper, PageList& document);

    /// Renders `section` into `band` (which is cleared first); lengths become points.
    void render(const Section& section, Band& band);

private:
    /// How far the controls below a control that grew move down.
    struct Growth {
        double designBottom; // points
        double offset;
    };

    /// Adds a label's or field's text; returns the height it takes.
    double layoutText(const Control& control, double top, DesignOrder order, Band& band);
    void addCheckBox(const Control& control, double top, DesignOrder order, Band& band);

    TextShaper& shaper_;
    PageList& document_;
    // Kept between bands: a report renders hundreds of thousands of them.
    std::vector<std::pair<const Control*, DesignOrder>> order_;
    std::vector<Growth> growths_;
    std::vector<std::string_view> lines_;
};

} // namespace vorn::engine
