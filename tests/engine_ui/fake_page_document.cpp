#include "fake_page_document.h"

#include "platform/toolkit/fonts.h"

#include <cairo.h>

#include <stdexcept>

namespace vorn::engine::testing {

FakePageDocument::FakePageDocument(int pages, std::string title, std::vector<OutlineEntry> outline,
                                   PageSize size)
    : pages_(pages), title_(std::move(title)), outline_(std::move(outline)), size_(size) {
    toolkit::ensureFonts();
}

void FakePageDocument::paint(int index, cairo_t* cr) const {
    if (index < 0 || index >= pages_)
        throw std::out_of_range("no page " + std::to_string(index));
    painted_.push_back(index);
    if (index == failingPage_)
        throw std::runtime_error("the layout broke on page " + std::to_string(index + 1));
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kFontSize);
    const std::string heading =
        "Page " + std::to_string(index + 1) + " of " + std::to_string(pages_);
    cairo_move_to(cr, kTextLeft, kTextBaseline);
    cairo_show_text(cr, heading.c_str());
    const std::string marker = "Marker-" + std::to_string(index + 1);
    cairo_move_to(cr, kMarkerLeft, kMarkerBaseline);
    cairo_show_text(cr, marker.c_str());
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, kTextLeft, kTextBaseline + 20, 200, 50);
    cairo_stroke(cr);
}

} // namespace vorn::engine::testing
