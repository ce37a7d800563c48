// The item list: one block of lines per item, with the columns the host's
// field list names, built at run time by RunListReport.
#pragma once

#include "reports/report_object.h"

namespace vorn::reports {

class repVornItemList final : public ReportObject {
public:
    repVornItemList() : ReportObject("repVornItemList") {}

    /// Lays out one caption in the page header and one bound field in the
    /// detail band per entry of gOtherParameters, wrapping onto further rows
    /// when the page is full, and moves the page-wide controls to fit the
    /// orientation. Starts from the design, so columns of an earlier run go.
    /// \throws automation::ComError from the field list or the 16-bit arithmetic;
    /// the columns added until then stay.
    void RunListReport();
};

} // namespace vorn::reports
