#include "platform/engine/render/report_document.h"

#include <cairo.h>

#include <algorithm>
#include <deque>
#include <stdexcept>

namespace vorn::engine {
namespace {

constexpr double kRuleWidth = 0.75; // points

struct SaveRestore {
    explicit SaveRestore(cairo_t* c) : cr(c) { cairo_save(cr); }
    ~SaveRestore() { cairo_restore(cr); }
    SaveRestore(const SaveRestore&) = delete;
    SaveRestore& operator=(const SaveRestore&) = delete;
    cairo_t* cr;
};

void setColor(cairo_t* cr, const Color& c) {
    cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
}

enum class PaintKind : std::uint8_t { Box, Picture, Line, Text, PageValue };

/// One item of a page in the order it is painted.
struct PaintStep {
    DesignOrder order;
    PaintKind kind;
    std::uint32_t index; // within the page's items of its kind
};

/// The glyphs of one page in one font and colour, drawn with a single call.
struct GlyphBatch {
    FontId font;
    std::uint8_t color;
    std::vector<cairo_glyph_t> glyphs;
};

// A deque, so that adding a batch for a fallback face keeps the others in place.
GlyphBatch& batchFor(std::deque<GlyphBatch>& batches, FontId font, std::uint8_t color) {
    for (auto& b : batches)
        if (b.font == font && b.color == color)
            return b;
    batches.push_back({font, color, {}});
    return batches.back();
}

} // namespace

ReportDocument::ReportDocument(
    PageList pages, std::unique_ptr<PangoTextShaper> shaper, std::string title,
    std::vector<OutlineEntry> outline,
    std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures)
    : pages_(std::move(pages)), shaper_(std::move(shaper)), title_(std::move(title)),
      outline_(std::move(outline)), pictures_(std::move(pictures)) {
    size_ = {pages_.paperWidth, pages_.paperHeight};
}

ReportDocument::ReportDocument(
    int pageCount, PageSize size, std::unique_ptr<PangoTextShaper> shaper,
    std::unique_ptr<PageStream> stream, std::string title, std::vector<OutlineEntry> outline,
    std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures)
    : shaper_(std::move(shaper)), stream_(std::move(stream)), pageCount_(pageCount), size_(size),
      title_(std::move(title)), outline_(std::move(outline)), pictures_(std::move(pictures)) {}

ReportDocument::~ReportDocument() = default;

PageSize ReportDocument::pageSize() const {
    return size_;
}

const PageList& ReportDocument::pages() const {
    return stream_ ? stream_->current() : pages_;
}

const PageList& ReportDocument::held(int index) const {
    if (!stream_)
        return pages_;
    return stream_->reach(index);
}

std::string ReportDocument::pageValueText(const PageValueItem& item, int index) const {
    return std::to_string(item.value == PageValue::PageNumber ? index + 1 : pageCount());
}

cairo_surface_t* ReportDocument::pictureSurface(const PageList& pages, std::uint16_t index) const {
    if (surfaces_.size() < pages.pictureNames.size())
        surfaces_.resize(pages.pictureNames.size());
    if (!surfaces_[index]) {
        auto picture = pictures_.find(pages.pictureNames[index]);
        if (picture == pictures_.end() || !picture->second)
            return nullptr;
        surfaces_[index] = makePictureSurface(picture->second);
    }
    return surfaces_[index].get();
}

void ReportDocument::paint(int index, cairo_t* cr) const {
    if (index < 0 || index >= pageCount())
        throw std::out_of_range("No page " + std::to_string(index));
    SaveRestore guard(cr);
    const PageList& list = held(index);

    // Controls are painted in design order, later ones over earlier ones. Texts
    // gather into one glyph list per font and colour, drawn when something that
    // may cover them comes next, so a page of plain text is still one call a font.
    const auto boxes = list.boxes(index);
    const auto pictures = list.pictures(index);
    const auto lines = list.lines(index);
    const auto texts = list.texts(index);
    const auto pageValues = list.pageValues(index);
    std::vector<PaintStep> steps;
    steps.reserve(boxes.size + pictures.size + lines.size + texts.size + pageValues.size);
    auto collect = [&](const auto& span, PaintKind kind) {
        for (std::size_t i = 0; i < span.size; ++i)
            steps.push_back({span.first[i].order, kind, static_cast<std::uint32_t>(i)});
    };
    collect(boxes, PaintKind::Box);
    collect(pictures, PaintKind::Picture);
    collect(lines, PaintKind::Line);
    collect(texts, PaintKind::Text);
    collect(pageValues, PaintKind::PageValue);
    std::stable_sort(steps.begin(), steps.end(), [](const PaintStep& a, const PaintStep& b) {
        return a.order != b.order ? a.order < b.order : a.kind < b.kind;
    });

    std::deque<GlyphBatch> batches;
    auto addRun = [&](RunId run, FontId font, std::uint8_t color, double x, double top) {
        const double baseline = top + shaper_->metrics(font).ascent;
        shaper_->appendGlyphs(run, x, baseline, batchFor(batches, font, color).glyphs,
                              [&](FontId face) -> std::vector<cairo_glyph_t>& {
                                  return batchFor(batches, face, color).glyphs;
                              });
    };
    auto drawTexts = [&] {
        for (const GlyphBatch& batch : batches) {
            setColor(cr, list.palette[batch.color]);
            shaper_->selectFont(cr, batch.font);
            cairo_show_glyphs(cr, batch.glyphs.data(), static_cast<int>(batch.glyphs.size()));
        }
        batches.clear();
    };

    for (const PaintStep& step : steps) {
        switch (step.kind) {
        case PaintKind::Text: {
            const TextItem& text = texts.first[step.index];
            addRun(text.run, text.font, text.color, text.x, text.top);
            break;
        }
        case PaintKind::PageValue: {
            const PageValueItem& item = pageValues.first[step.index];
            const RunId run = shaper_->shape(item.font, pageValueText(item, index));
            double x = item.x;
            const double slack = item.width - shaper_->width(run);
            if (item.alignment == Alignment::Center)
                x += slack / 2;
            else if (item.alignment == Alignment::Right)
                x += slack;
            addRun(run, item.font, item.color, x, item.top);
            break;
        }
        case PaintKind::Box: {
            drawTexts();
            const BoxItem& box = boxes.first[step.index];
            setColor(cr, list.palette[box.color]);
            cairo_rectangle(cr, box.x, box.top, box.width, box.height);
            cairo_fill(cr);
            break;
        }
        case PaintKind::Picture:
            drawTexts();
            paintPicture(cr, list, pictures.first[step.index]);
            break;
        case PaintKind::Line: {
            drawTexts();
            const LineItem& line = lines.first[step.index];
            cairo_set_line_width(cr, kRuleWidth);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
            setColor(cr, list.palette[line.color]);
            cairo_move_to(cr, line.x1, line.y1);
            cairo_line_to(cr, line.x2, line.y2);
            cairo_stroke(cr);
            break;
        }
        }
    }
    drawTexts();
}

void ReportDocument::paintPicture(cairo_t* cr, const PageList& pages,
                                  const PictureItem& item) const {
    cairo_surface_t* surface = pictureSurface(pages, item.picture);
    if (!surface)
        return;
    const double w = cairo_image_surface_get_width(surface);
    const double h = cairo_image_surface_get_height(surface);
    if (w <= 0 || h <= 0)
        return;
    // Every picture is stretched to fill its frame: the designs size the frames
    // for their pictures (the banner spans the whole title), and a picture kept
    // at its own proportions would leave the banner's ends white under the title.
    SaveRestore pictureGuard(cr);
    cairo_translate(cr, item.x, item.top);
    cairo_scale(cr, item.width / w, item.height / h);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
}

} // namespace vorn::engine
