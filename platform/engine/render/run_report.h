// Runs a report from its first record with the current data and controls and
// returns the laid-out document, ready to paint, show, print or save.
#pragma once

#include "platform/engine/layout/layout_progress.h"
#include "platform/engine/model/report.h"
#include "platform/engine/render/report_document.h"

#include <chrono>
#include <memory>

namespace vorn::engine {

/// Opens the records of the report's data control through the report's opener
/// (or the default one), lays out every page and returns them. Running again
/// starts over from the first record.
/// \throws EngineError (error_code::kFail) when the report has a data control but
/// no opener is set; errors of the opener, the records and the callbacks pass.
std::shared_ptr<ReportDocument> runReport(Report& report);

/// A report of more pages than this is laid out again as it is painted. Up to
/// it the report is kept whole (a few megabytes): laid out once, any page at once.
constexpr int kWholeReportPages = 500;

/// The same for printing and saving, which paint the pages in order: a report
/// longer than `wholeReportPages` is counted first and then laid out again as
/// its pages are painted, holding only a few pages at a time. The report must outlive the document
/// and keep its controls and data while the document is painted. `progress` hears of each page
/// counted, with the count still unknown. \throws as runReport, and EngineError
/// (error_code::kCancelled) when `progress` stops the count; painting the document throws what
/// the layout throws.
std::shared_ptr<ReportDocument> runReportPageByPage(Report& report,
                                                    int wholeReportPages = kWholeReportPages,
                                                    const LayoutProgressCallback& progress = {});

/// For the preview: lays out the report's first page, and more for up to
/// `atOnce`, and returns a document that lays out the rest as it is asked to
/// (PageDocument::layOutMore), holding a few pages at a time. The document
/// keeps `report`, which must keep its controls and data while the document
/// lives. \throws as runReport, for the first page; later errors come from
/// layOutMore.
std::shared_ptr<ReportDocument>
runReportAhead(std::shared_ptr<Report> report,
               std::chrono::milliseconds atOnce = std::chrono::milliseconds(50));

} // namespace vorn::engine
