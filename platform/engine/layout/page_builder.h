// Pagination: stacks bands down the page body and starts a new page when the
// next band does not fit. Each page gets its header when it opens and its footer
// when it closes; both come from callbacks, so they show the values that stand at
// that moment. A band taller than a whole page body is split between pages at
// item boundaries (every text line, box, line and picture lands whole on one
// page), so nothing is lost and nothing loops.
#pragma once

#include "platform/engine/layout/page_items.h"

#include <functional>

namespace vorn::engine {

struct PageFrame {
    double paperHeight = 792; // points
    double marginLeft = 72;
    double marginTop = 72;
    double marginBottom = 72;
    /// Room kept for the page footer above the bottom margin: its design height,
    /// known before the footer is printed (a footer that grows runs into the margin).
    double footerHeight = 0;
};

class PageBuilder {
public:
    /// `header` renders the page header into the band given, when a page opens;
    /// `footer` renders the page footer when a page closes, with the 1-based number
    /// of that page. Either may leave the band empty with height 0.
    PageBuilder(PageList& document, PageFrame frame, std::function<void(Band&)> header,
                std::function<void(Band&, int pageNumber)> footer);

    /// Places a band below the previous one, on a new page when it does not fit.
    void place(const Band& band);
    /// The next band starts a new page.
    void breakPage() { breakPending_ = true; }
    /// Closes the last page; a report that placed nothing still gets one page.
    void finish();

    bool pageOpen() const { return open_; }

private:
    void openPage();
    void closePage();
    void append(const ItemList& items, double dx, double dy);
    void split(const Band& band);
    double bodyBottom() const { return footerTop_; }

    PageList& document_;
    PageFrame frame_;
    std::function<void(Band&)> header_;
    std::function<void(Band&, int)> footer_;
    Band scratch_;
    bool open_ = false;
    bool breakPending_ = false;
    bool bodyEmpty_ = true;
    double cursor_ = 0;
    double bodyTop_ = 0;
    double footerTop_ = 0;
};

} // namespace vorn::engine
