#include "platform/engine/render/run_report.h"

#include "platform/engine/allocator_tuning.h"
#include "platform/engine/layout/report_layouter.h"
#include "platform/engine/render/layout_ahead.h"
#include "platform/engine/render/page_stream.h"

#include <climits>

namespace vorn::engine {
namespace {

std::shared_ptr<ReportDocument> wholeDocument(Report& report, PageList pages,
                                              std::unique_ptr<PangoTextShaper> shaper) {
    shaper->dropLookup();
    std::vector<OutlineEntry> outline = std::move(pages.outline);
    return std::make_shared<ReportDocument>(std::move(pages), std::move(shaper), report.caption,
                                            std::move(outline), report.pictures());
}

} // namespace

std::shared_ptr<ReportDocument> runReport(Report& report) {
    tuneAllocatorForReports();
    std::unique_ptr<RecordSource> records = openRecords(report);
    auto shaper = std::make_unique<PangoTextShaper>();
    PageList pages = ReportLayouter(report, *shaper).run(records.get());
    return wholeDocument(report, std::move(pages), std::move(shaper));
}

std::shared_ptr<ReportDocument> runReportPageByPage(Report& report, int wholeReportPages,
                                                    const LayoutProgressCallback& progress) {
    tuneAllocatorForReports();
    auto shaper = std::make_unique<PangoTextShaper>();
    PageList pages;
    {
        std::unique_ptr<RecordSource> records = openRecords(report);
        ReportLayouter layouter(report, *shaper);
        layouter.begin(records.get(), pages);
        int counted = 0;
        while (layouter.advance()) {
            if (pages.pageCount() != counted) {
                counted = pages.pageCount();
                reportProgress(progress, {counted, LayoutProgress::kUnknown});
            }
            if (counted > wholeReportPages)
                holdRecentPages(pages, layouter, *shaper, 0, counted);
        }
    }
    if (pages.firstHeldPage() == 0)
        return wholeDocument(report, std::move(pages), std::move(shaper));

    pages.forgetPagesBefore(pages.pageCount());
    shaper->keepRunsOf(pages.items.texts);
    auto stream = std::make_unique<PageStream>(report, *shaper);
    return std::make_shared<ReportDocument>(
        pages.pageCount(), PageSize{pages.paperWidth, pages.paperHeight}, std::move(shaper),
        std::move(stream), report.caption, std::move(pages.outline), report.pictures());
}

std::shared_ptr<ReportDocument> runReportAhead(std::shared_ptr<Report> report,
                                               std::chrono::milliseconds atOnce) {
    tuneAllocatorForReports();
    auto ahead = std::make_unique<LayoutAhead>(*report);
    ahead->advance(LayoutAhead::Clock::time_point::max(), 0);
    // A short report is laid out whole here and lets go of its records at once
    // (the status reports rebuild their tables right after they are shown); a
    // long one gets only a moment more before its first page goes on screen,
    // and keeps its first pages for the window's first draw.
    if (atOnce.count() > 0)
        ahead->advance(LayoutAhead::Clock::now() + atOnce, INT_MAX, 0);
    return std::make_shared<ReportDocument>(std::move(report), std::move(ahead));
}

} // namespace vorn::engine
