#include "platform/engine/render/run_report.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/layout/report_layouter.h"

#include <malloc.h>

#include <mutex>

namespace vorn::engine {
namespace {

void tuneAllocator() {
    // A long report allocates and frees per page; without this glibc hands the
    // memory back to the kernel and fetches it again thousands of times.
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_MMAP_THRESHOLD, 8 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    });
}

} // namespace

std::shared_ptr<ReportDocument> runReport(Report& report) {
    tuneAllocator();
    std::unique_ptr<RecordSource> records;
    if (!report.dataControls().empty()) {
        const RecordSourceOpener& opener =
            report.recordSourceOpener ? report.recordSourceOpener : defaultRecordSourceOpener();
        if (!opener)
            throw EngineError(error_code::kFail,
                              "No record source is set up for the report " + report.designName());
        records = opener(*report.dataControls().front());
    }
    auto shaper = std::make_unique<PangoTextShaper>();
    PageList pages = ReportLayouter(report, *shaper).run(records.get());
    shaper->dropLookup();
    std::vector<OutlineEntry> outline = std::move(pages.outline);
    return std::make_shared<ReportDocument>(std::move(pages), std::move(shaper), report.caption,
                                            std::move(outline), report.pictures());
}

} // namespace vorn::engine
