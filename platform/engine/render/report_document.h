// A laid-out report, ready to paint: the page list, the shaped text it refers to
// and the pictures. Any page paints onto any cairo context, any number of times.
#pragma once

#include "platform/engine/layout/page_items.h"
#include "platform/engine/model/picture.h"
#include "platform/engine/page_document.h"
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
    ~ReportDocument() override;

    int pageCount() const override { return pages_.pageCount(); }
    PageSize pageSize() const override;
    std::string title() const override { return title_; }
    std::vector<OutlineEntry> outline() const override { return outline_; }
    void paint(int index, cairo_t* cr) const override;

    /// The page list itself, for checking what a page holds.
    const PageList& pages() const { return pages_; }
    /// The text a text item prints.
    std::string_view text(const TextItem& item) const { return shaper_->text(item.run); }
    /// What a page number or page count item prints on page `index`.
    std::string pageValueText(const PageValueItem& item, int index) const;
    const PangoTextShaper& shaper() const { return *shaper_; }

private:
    cairo_surface_t* pictureSurface(std::uint16_t index) const;
    void paintPicture(cairo_t* cr, const PictureItem& item) const;

    PageList pages_;
    std::unique_ptr<PangoTextShaper> shaper_;
    std::string title_;
    std::vector<OutlineEntry> outline_;
    std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures_;
    mutable std::vector<SurfacePtr> surfaces_; // by picture index, made on first use
};

} // namespace vorn::engine
