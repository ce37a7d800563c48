// The drawing area of the preview window: one page of the document at the
// current zoom, painted from the finished page list. Only the page on screen is
// painted, so a report of thousands of pages opens as fast as one of a single page.
#pragma once

#include "platform/engine/page_document.h"
#include "platform/engine/preview/zoom.h"

#include <gtkmm/drawingarea.h>

#include <memory>
#include <vector>

namespace vorn::engine {

class PageView : public Gtk::DrawingArea {
public:
    PageView();

    void setDocument(std::shared_ptr<const PageDocument> document);
    /// Shows page `index` (0-based); the caller keeps it within the document.
    void setPage(int index);
    int page() const noexcept { return page_; }

    Zoom& zoom() noexcept { return zoom_; }
    const Zoom& zoom() const noexcept { return zoom_; }
    /// Recomputes the size after the zoom or the visible area changed.
    void setViewSize(int width, int height);
    /// Pixels per point as the page is drawn now.
    double scale() const noexcept;
    /// Marks `marks` over page `page` whenever it is shown, `selected` (an
    /// index into them, or -1) more strongly than the others; no page: none.
    void setMarks(int page, std::vector<PageRect> marks, int selected);
    /// Where the point `y` of the page shown is drawn, in the view's pixels.
    double pixelY(double y) const noexcept { return Zoom::kMargin + y * scale(); }

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    void updateSize();

    std::shared_ptr<const PageDocument> document_;
    int page_ = 0;
    Zoom zoom_;
    int viewWidth_ = 1;
    int viewHeight_ = 1;
    int markedPage_ = -1;
    std::vector<PageRect> marks_;
    int selectedMark_ = -1;
};

} // namespace vorn::engine
