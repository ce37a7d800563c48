#include "fake_page_document.h"

#include "platform/toolkit/fonts.h"

#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vorn::engine::testing {

FakePageDocument::FakePageDocument(int pages, std::string title, std::vector<OutlineEntry> outline,
                                   PageSize size)
    : pages_(pages), title_(std::move(title)), outline_(std::move(outline)), size_(size) {
    toolkit::ensureFonts();
}

void FakePageDocument::paint(int index, cairo_t* cr) const {
    if (index < 0 || index >= pageCount())
        throw std::out_of_range("no page " + std::to_string(index));
    painted_.push_back(index);
    paintedFinal_.push_back(pageCountFinal());
    if (index == failingPage_)
        throw std::runtime_error("the layout broke on page " + std::to_string(index + 1));
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kFontSize);
    const std::string heading = "Page " + std::to_string(index + 1) + " of " +
                                std::to_string(pageCount()) + (pageCountFinal() ? "" : "+");
    cairo_move_to(cr, kTextLeft, kTextBaseline);
    cairo_show_text(cr, heading.c_str());
    const std::string marker = "Marker-" + std::to_string(index + 1);
    cairo_move_to(cr, kMarkerLeft, kMarkerBaseline);
    cairo_show_text(cr, marker.c_str());
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, kTextLeft, kTextBaseline + 20, 200, 50);
    cairo_stroke(cr);
}

std::vector<PageRect> FakePageDocument::find(int index, std::string_view text) const {
    const std::string marker = "marker-" + std::to_string(index + 1);
    std::string wanted(text);
    std::transform(wanted.begin(), wanted.end(), wanted.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (wanted.empty() || marker.find(wanted) == std::string::npos)
        return {};
    return {{kMarkerLeft, kMarkerBaseline - kFontSize, 60, kFontSize}};
}

bool GrowingPageDocument::layOutMore(Clock::time_point, int until) const {
    // A step a call, or as many as it takes to count page `until`.
    do
        counted_ = std::min(total_, counted_ + step_);
    while (until != INT_MAX && counted_ <= until && counted_ < total_);
    return counted_ < total_;
}

} // namespace vorn::engine::testing
