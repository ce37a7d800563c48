// A laid-out report, ready to paint: the page list, the shaped text it refers to
// and the pictures. Any page paints onto any cairo context, any number of times.
// A long report for printing holds only a few pages at a time and lays the
// others out again when they are painted (see PageStream). A report shown in the
// preview is laid out ahead in steps (see LayoutAhead) while its first pages are
// already on screen.
#pragma once

#include "platform/engine/layout/page_items.h"
#include "platform/engine/model/picture.h"
#include "platform/engine/page_document.h"
#include "platform/engine/render/layout_ahead.h"
#include "platform/engine/render/page_stream.h"
#include "platform/engine/render/pango_text_shaper.h"
#include "platform/engine/render/picture_surface.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorn::engine {

class ReportDocument : public PageDocument {
public:
    ReportDocument(PageList pages, std::unique_ptr<PangoTextShaper> shaper, std::string title,
                   std::vector<OutlineEntry> outline,
                   std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures);
    /// A document of `pageCount` pages that `stream` lays out as they are painted.
    ReportDocument(int pageCount, PageSize size, std::unique_ptr<PangoTextShaper> shaper,
                   std::unique_ptr<PageStream> stream, std::string title,
                   std::vector<OutlineEntry> outline,
                   std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures);
    /// A document whose pages `ahead` counts step by step (see layOutMore), and
    /// which lays out again the pages it paints and searches. It keeps `report`
    /// for as long as it may lay it out.
    ReportDocument(std::shared_ptr<Report> report, std::unique_ptr<LayoutAhead> ahead);
    ~ReportDocument() override;

    int pageCount() const override;
    PageSize pageSize() const override;
    std::string title() const override { return title_; }
    std::vector<OutlineEntry> outline() const override;
    void paint(int index, cairo_t* cr) const override;
    bool pageCountFinal() const override { return !ahead_ || ahead_->complete(); }
    bool layOutMore(Clock::time_point deadline, int until = INT_MAX) const override;
    /// Matches ignore the case of ASCII letters; other characters match as they are.
    std::vector<PageRect> find(int index, std::string_view text) const override;

    /// The page list itself, for checking what a page holds (of a document laid
    /// out as it is painted: the pages held since the last paint).
    const PageList& pages() const;
    /// The text a text item prints.
    std::string_view text(const TextItem& item) const { return shaper_->text(item.run); }
    /// What a page number or page count item prints on page `index`.
    std::string pageValueText(const PageValueItem& item, int index) const;
    const PangoTextShaper& shaper() const { return *shaper_; }

private:
    /// A second layout that searching walks through, so that it does not
    /// throw away the pages the window paints.
    struct Pass {
        std::unique_ptr<PangoTextShaper> shaper;
        std::unique_ptr<PageStream> stream;
    };

    const PageList& held(int index) const;
    void paintPage(const PageList& list, PangoTextShaper& shaper, int index, cairo_t* cr) const;
    cairo_surface_t* pictureSurface(const PageList& pages, std::uint16_t index) const;
    void paintPicture(cairo_t* cr, const PageList& pages, const PictureItem& item) const;

    // Declared before everything that lays it out, so that it goes last.
    std::shared_ptr<Report> report_; // set when the document lays out ahead
    PageList pages_;
    std::unique_ptr<PangoTextShaper> shaper_;
    // Declared after the shaper it lays out with, so that it goes first.
    std::unique_ptr<PageStream> stream_; // null when pages_ holds every page
    std::unique_ptr<LayoutAhead> ahead_; // null when the page count is known
    mutable Pass search_;                // made on the first search of a stream
    int pageCount_ = 0;
    PageSize size_;
    std::string title_;
    std::vector<OutlineEntry> outline_;
    std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures_;
    mutable std::vector<SurfacePtr> surfaces_; // by picture index, made on first use
};

} // namespace vorn::engine
