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

/// Where `needle` starts in `text` from `from` on, ASCII letters in either case.
std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (from > text.size())
        return std::string_view::npos;
    const auto found =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), needle.begin(),
                    needle.end(), [&](char a, char b) { return fold(a) == fold(b); });
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

// Pages behind the one on screen that paging back shows without laying the
// report out again: a few megabytes at most.
constexpr int kPagesKeptForViewing = 32;

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

ReportDocument::ReportDocument(std::shared_ptr<Report> report, std::unique_ptr<LayoutAhead> ahead)
    : report_(std::move(report)), shaper_(std::make_unique<PangoTextShaper>()),
      stream_(std::make_unique<PageStream>(*report_, *shaper_, kPagesKeptForViewing)),
      ahead_(std::move(ahead)), size_{ahead_->pages().paperWidth, ahead_->pages().paperHeight},
      title_(report_->caption), pictures_(report_->pictures()) {}

ReportDocument::~ReportDocument() = default;

int ReportDocument::pageCount() const {
    if (ahead_)
        return ahead_->pagesLaidOut();
    return stream_ ? pageCount_ : pages_.pageCount();
}

PageSize ReportDocument::pageSize() const {
    return size_;
}

std::vector<OutlineEntry> ReportDocument::outline() const {
    return ahead_ ? ahead_->outline() : outline_;
}

bool ReportDocument::layOutMore(Clock::time_point deadline, int until) const {
    return ahead_ && ahead_->advance(deadline, until);
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
    if (item.value == PageValue::PageNumber)
        return std::to_string(index + 1);
    // Until the last page is laid out, the count says how far the layout came.
    return std::to_string(pageCount()) + (pageCountFinal() ? "" : "+");
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
    if (ahead_ && ahead_->holds(index))
        paintPage(ahead_->pages(), ahead_->shaper(), index, cr);
    else
        paintPage(held(index), *shaper_, index, cr);
}

std::vector<PageRect> ReportDocument::find(int index, std::string_view text) const {
    if (text.empty() || index < 0 || index >= pageCount())
        return {};
    const PageList* list = &pages_;
    PangoTextShaper* shaper = shaper_.get();
    if (ahead_ && ahead_->holds(index)) {
        list = &ahead_->pages();
        shaper = &ahead_->shaper();
    } else if (stream_) {
        if (!search_.stream) {
            search_.shaper = std::make_unique<PangoTextShaper>();
            search_.stream = std::make_unique<PageStream>(stream_->report(), *search_.shaper);
        }
        list = &search_.stream->reach(index);
        shaper = search_.shaper.get();
    }
    std::vector<PageRect> found;
    for (const TextItem& item : list->texts(index)) {
        const std::string_view line = shaper->text(item.run);
        for (std::size_t at = findIgnoringCase(line, text, 0); at != std::string_view::npos;
             at = findIgnoringCase(line, text, at + text.size())) {
            const double before = shaper->measure(item.font, line.substr(0, at));
            found.push_back({item.x + before, item.top,
                             shaper->measure(item.font, line.substr(at, text.size())),
                             item.height});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const PageRect& a, const PageRect& b) {
        return a.top != b.top ? a.top < b.top : a.x < b.x;
    });
    return found;
}

void ReportDocument::paintPage(const PageList& list, PangoTextShaper& shaper, int index,
                               cairo_t* cr) const {
    SaveRestore guard(cr);

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
        const double baseline = top + shaper.metrics(font).ascent;
        shaper.appendGlyphs(run, x, baseline, batchFor(batches, font, color).glyphs,
                            [&](FontId face) -> std::vector<cairo_glyph_t>& {
                                return batchFor(batches, face, color).glyphs;
                            });
    };
    auto drawTexts = [&] {
        for (const GlyphBatch& batch : batches) {
            setColor(cr, list.palette[batch.color]);
            shaper.selectFont(cr, batch.font);
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
            const RunId run = shaper.shape(item.font, pageValueText(item, index));
            double x = item.x;
            const double slack = item.width - shaper.width(run);
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
