// Runs a report from its first record with the current data and controls and
// returns the laid-out document, ready to paint, show, print or save.
#pragma once

#include "platform/engine/model/report.h"
#include "platform/engine/render/report_document.h"

#include <memory>

namespace vorn::engine {

/// Opens the records of the report's data control through the report's opener
/// (or the default one), lays out every page and returns them. Running again
/// starts over from the first record.
/// \throws EngineError (error_code::kFail) when the report has a data control but
/// no opener is set; errors of the opener, the records and the callbacks pass.
std::shared_ptr<ReportDocument> runReport(Report& report);

} // namespace vorn::engine
