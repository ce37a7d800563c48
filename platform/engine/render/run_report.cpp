#include "platform/engine/render/run_report.h"

#include "platform/engine/allocator_tuning.h"
#include "platform/engine/engine_error.h"
#include "platform/engine/layout/report_layouter.h"

namespace vorn::engine {

std::shared_ptr<ReportDocument> runReport(Report& report) {
    tuneAllocatorForReports();
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
