// ShowReport and PrintReport: copy the request into this thread's shared
// report state, then open the chooser or run the report the request names.
#pragma once

#include "service/cls_reports.h"

namespace vorn {

/// Copies the request into the shared report state, each value on its own: a
/// copy that fails (an object slot whose property holds no object) leaves its
/// slot as it was and the next one is still copied.
void copyRequestToSharedState(const clsReports::Request& request) noexcept;

/// \throws automation::ComError whatever a step after the copy raised.
void showReport(const clsReports::Request& request);
void printReport(const clsReports::Request& request);

} // namespace vorn
