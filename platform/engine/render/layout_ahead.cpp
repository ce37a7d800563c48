#include "platform/engine/render/layout_ahead.h"

#include "platform/engine/render/page_stream.h"

#include <algorithm>

namespace vorn::engine {
namespace {

// The newest pages stay for the window to paint without laying them out again
// (the page on screen when the report is short, the last one once complete).
constexpr int kPagesKept = 4;
// Reading the clock costs more than a short record; a few records between
// readings keep a slice close to its deadline all the same.
constexpr int kRecordsBetweenClockReads = 16;

} // namespace

LayoutAhead::LayoutAhead(Report& report) {
    records_ = openRecords(report);
    layouter_ = std::make_unique<ReportLayouter>(report, shaper_);
    layouter_->begin(records_.get(), pages_);
}

LayoutAhead::~LayoutAhead() = default;

int LayoutAhead::pagesLaidOut() const {
    return pages_.pageCount() - (layouter_->pageOpen() ? 1 : 0);
}

bool LayoutAhead::holds(int index) const {
    return index >= pages_.firstHeldPage() && index < pagesLaidOut();
}

bool LayoutAhead::advance(Clock::time_point deadline, int until, int keepFrom) {
    if (failed_)
        return false;
    try {
        int records = 0;
        while (!complete_ && pagesLaidOut() <= until) {
            complete_ = !layouter_->advance();
            holdRecentPages(pages_, *layouter_, shaper_, kPagesKept,
                            std::min(keepFrom, pages_.pageCount()));
            if (++records % kRecordsBetweenClockReads == 0 && Clock::now() >= deadline)
                break;
        }
    } catch (...) {
        // A layout that failed half way cannot go on: the pages it closed stay.
        failed_ = true;
        records_.reset();
        throw;
    }
    if (complete_) {
        records_.reset();
        shaper_.dropLookup();
    }
    return !complete_;
}

} // namespace vorn::engine
