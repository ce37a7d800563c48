// ShowReport and PrintReport: copy the request into this thread's shared
// report state, then open the chooser or run the report the request names.
#pragma once

#include "service/cls_reports.h"

namespace vorn {

/// Names a file that receives every print as PDF instead of a printer: how
/// headless hosts, the demo and the tests print. Read once per call, here at
/// the component's edge, and handed down to the reports as a print option.
inline constexpr const char* kPrintFileVariable = "VORN_PRINT_FILE";

/// Copies the request into the shared report state, each value on its own: a
/// copy that fails (an object slot whose property holds no object) leaves its
/// slot as it was and the next one is still copied.
void copyRequestToSharedState(const clsReports::Request& request) noexcept;

/// \throws automation::ComError whatever a step after the copy raised.
void showReport(const clsReports::Request& request);
void printReport(const clsReports::Request& request);

} // namespace vorn
