#include "platform/engine/render/page_stream.h"

#include "platform/engine/engine_error.h"

#include <algorithm>

namespace vorn::engine {
namespace {

// Compacting the runs costs a pass over the held texts; doing it only when many
// runs have piled up keeps that cost a small share of the layout.
constexpr std::size_t kRunsBeforeCompacting = 1 << 16;

} // namespace

std::unique_ptr<RecordSource> openRecords(Report& report) {
    if (report.dataControls().empty())
        return nullptr;
    const RecordSourceOpener& opener =
        report.recordSourceOpener ? report.recordSourceOpener : defaultRecordSourceOpener();
    if (!opener)
        throw EngineError(error_code::kFail,
                          "No record source is set up for the report " + report.designName());
    return opener(*report.dataControls().front());
}

void holdRecentPages(PageList& pages, const ReportLayouter& layouter, PangoTextShaper& shaper,
                     int keep, int needed) {
    const int closed = pages.pageCount() - (layouter.pageOpen() ? 1 : 0);
    const int first = std::min(closed - keep, needed);
    if (first > pages.firstHeldPage())
        pages.forgetPagesBefore(first);
    if (shaper.runCount() > std::max(kRunsBeforeCompacting, 2 * pages.items.texts.size()))
        shaper.keepRunsOf(pages.items.texts);
}

// The default keeps enough pages behind the one painted for a printer's look
// back (two pages side by side, a page printed twice) without laying out again.
PageStream::PageStream(Report& report, PangoTextShaper& shaper, int keep)
    : report_(report), shaper_(shaper), keep_(keep) {}

PageStream::~PageStream() = default;

void PageStream::restart() {
    layouter_.reset();
    records_.reset(); // one cursor on the records at a time
    pages_ = std::make_unique<PageList>();
    records_ = openRecords(report_);
    layouter_ = std::make_unique<ReportLayouter>(report_, shaper_);
    layouter_->begin(records_.get(), *pages_);
    laidOut_ = false;
}

const PageList& PageStream::current() {
    return pages_ ? *pages_ : reach(0);
}

const PageList& PageStream::reach(int index) {
    if (!pages_ || index < pages_->firstHeldPage())
        restart();
    auto complete = [&] { return index < pages_->pageCount() - (layouter_->pageOpen() ? 1 : 0); };
    while (!complete() && !laidOut_) {
        laidOut_ = !layouter_->advance();
        // The bookmarks were taken from the first pass.
        pages_->outline.clear();
        holdRecentPages(*pages_, *layouter_, shaper_, keep_, index);
    }
    if (!complete())
        throw EngineError(error_code::kBadIndex, "The report ended before page " +
                                                     std::to_string(index + 1) +
                                                     ": its records changed while it was printed");
    return *pages_;
}

} // namespace vorn::engine
