#include "platform/engine/preview/page_view.h"

#include <cmath>
#include <exception>

namespace vorn::engine {

PageView::PageView() {
    set_can_focus(true);
    add_events(Gdk::BUTTON_PRESS_MASK | Gdk::KEY_PRESS_MASK);
    signal_button_press_event().connect([this](GdkEventButton*) {
        grab_focus();
        return false;
    });
}

void PageView::setDocument(std::shared_ptr<const PageDocument> document) {
    document_ = std::move(document);
    updateSize();
    queue_draw();
}

void PageView::setPage(int index) {
    page_ = index;
    queue_draw();
}

void PageView::setMarks(int page, std::vector<PageRect> marks, int selected) {
    markedPage_ = page;
    marks_ = std::move(marks);
    selectedMark_ = selected;
    queue_draw();
}

void PageView::setViewSize(int width, int height) {
    if (width == viewWidth_ && height == viewHeight_)
        return;
    viewWidth_ = width;
    viewHeight_ = height;
    updateSize();
}

double PageView::scale() const noexcept {
    if (!document_)
        return Zoom::kPixelsPerPoint;
    return zoom_.scaleFor(document_->pageSize(), viewWidth_, viewHeight_);
}

void PageView::updateSize() {
    if (!document_)
        return;
    const PageSize page = document_->pageSize();
    const double s = scale();
    // Fitted modes never ask for more than the view, so no scroll bar appears
    // and takes away the width that the fit was computed from.
    int width = static_cast<int>(std::ceil(page.width * s + 2 * Zoom::kMargin));
    int height = static_cast<int>(std::ceil(page.height * s + 2 * Zoom::kMargin));
    if (zoom_.mode() != ZoomMode::Factor)
        width = std::min(width, viewWidth_);
    if (zoom_.mode() == ZoomMode::WholePage)
        height = std::min(height, viewHeight_);
    set_size_request(width, height);
    queue_draw();
}

bool PageView::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    cr->set_source_rgb(0.5, 0.5, 0.5);
    cr->paint();
    if (!document_ || document_->pageCount() == 0)
        return true;

    const PageSize page = document_->pageSize();
    const double s = scale();
    const double width = page.width * s;
    const double height = page.height * s;
    const double x = std::max(Zoom::kMargin, std::floor((get_allocated_width() - width) / 2));
    const double y = Zoom::kMargin;

    cr->set_source_rgb(0.2, 0.2, 0.2);
    cr->rectangle(x + 3, y + 3, width, height);
    cr->fill();
    cr->set_source_rgb(1, 1, 1);
    cr->rectangle(x, y, width, height);
    cr->fill();

    cr->save();
    cr->rectangle(x, y, width, height);
    cr->clip();
    cr->translate(x, y);
    cr->scale(s, s);
    try {
        document_->paint(page_, cr->cobj());
    } catch (const std::exception& e) {
        // A draw handler must not throw through GTK: show the reason on the page.
        cr->set_source_rgb(0.8, 0, 0);
        cr->move_to(36, 36);
        cr->show_text(e.what());
    }
    if (page_ == markedPage_) {
        // Translucent, so that the text under a mark stays readable.
        for (std::size_t i = 0; i < marks_.size(); ++i) {
            const bool selected = static_cast<int>(i) == selectedMark_;
            cr->set_source_rgba(1.0, selected ? 0.55 : 0.9, 0.0, selected ? 0.55 : 0.35);
            const PageRect& m = marks_[i];
            cr->rectangle(m.x - 1, m.top - 1, m.width + 2, m.height + 2);
            cr->fill();
        }
    }
    cr->restore();
    return true;
}

} // namespace vorn::engine
