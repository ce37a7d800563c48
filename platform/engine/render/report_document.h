// A laid-out report, ready to paint: the page list, the shaped text it refers to
// and the pictures. Any page paints onto any cairo context, any number of times.
// A long report for printing holds only a few pages at a time and lays the
// others out again when they are painted (see PageStream).
#pragma once

#include "platform/engine/layout/page_items.h"
#include "platform/engine/model/picture.h"
#include "platform/engine/page_document.h"
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
    ~ReportDocument() override;

    int pageCount() const override { return stream_ ? pageCount_ : pages_.pageCount(); }
    PageSize pageSize() const override;
    std::string title() const override { return title_; }
    std::vector<OutlineEntry> outline() const override { return outline_; }
    void paint(int index, cairo_t* cr) const override;

    /// The page list itself, for checking what a page holds (of a document laid
    /// out as it is painted: the pages held since the last paint).
    const PageList& pages() const;
    /// The text a text item prints.
    std::string_view text(const TextItem& item) const { return shaper_->text(item.run); }
    /// What a page number or page count item prints on page `index`.
    std::string pageValueText(const PageValueItem& item, int index) const;
    const PangoTextShaper& shaper() const { return *shaper_; }

private:
    const PageList& held(int index) const;
    cairo_surface_t* pictureSurface(const PageList& pages, std::uint16_t index) const;
    void paintPicture(cairo_t* cr, const PageList& pages, const PictureItem& item) const;

    PageList pages_;
    std::unique_ptr<PangoTextShaper> shaper_;
    // Declared after the shaper it lays out with, so that it goes first.
    std::unique_ptr<PageStream> stream_; // null when pages_ holds every page
    int pageCount_ = 0;
    PageSize size_;
    std::string title_;
    std::vector<OutlineEntry> outline_;
    std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures_;
    mutable std::vector<SurfacePtr> surfaces_; // by picture index, made on first use
};

} // namespace vorn::engine
