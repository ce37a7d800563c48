// Lays a report out from its first record in short steps, so that a window can
// show the first pages while the rest are still to come: it counts the pages,
// gathers the bookmarks and holds only the last few pages it laid out. It has
// its own records, shaper and layouter, apart from those that paint pages.
#pragma once

#include "platform/engine/data/record_source.h"
#include "platform/engine/layout/page_items.h"
#include "platform/engine/layout/report_layouter.h"
#include "platform/engine/model/report.h"
#include "platform/engine/render/pango_text_shaper.h"

#include <chrono>
#include <climits>
#include <memory>

namespace vorn::engine {

class LayoutAhead {
public:
    using Clock = std::chrono::steady_clock;

    /// Opens the records; `report` must outlive this object and keep its
    /// controls and data while it lays out. \throws as openRecords.
    explicit LayoutAhead(Report& report);
    ~LayoutAhead();
    LayoutAhead(const LayoutAhead&) = delete;
    LayoutAhead& operator=(const LayoutAhead&) = delete;

    /// Lays out records until `deadline` passes, page `until` is complete or
    /// the report ends, whichever comes first; at least one record a call.
    /// Pages from `keepFrom` on stay held, beside the last few.
    /// Returns whether pages remain to be laid out. Errors of the records and
    /// the callbacks pass once and end the layout, at the pages it had closed.
    bool advance(Clock::time_point deadline, int until = INT_MAX, int keepFrom = INT_MAX);

    /// Pages closed so far: the page count once complete().
    int pagesLaidOut() const;
    bool complete() const noexcept { return complete_; }
    /// Complete, or ended by an error.
    bool finished() const noexcept { return complete_ || failed_; }
    /// Whether page `index` is laid out and still held, to paint from pages().
    bool holds(int index) const;
    const PageList& pages() const noexcept { return pages_; }
    PangoTextShaper& shaper() noexcept { return shaper_; }
    const std::vector<OutlineEntry>& outline() const noexcept { return pages_.outline; }

private:
    PangoTextShaper shaper_;
    PageList pages_;
    std::unique_ptr<RecordSource> records_;
    std::unique_ptr<ReportLayouter> layouter_;
    bool complete_ = false;
    bool failed_ = false;
};

} // namespace vorn::engine
