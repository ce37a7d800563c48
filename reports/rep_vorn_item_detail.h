// The item detail report: one page per item with its standard fields, the
// tracker's custom fields (added by LoadCustomCombos), comments and resolution.
#pragma once

#include "reports/report_object.h"

namespace vorn::reports {

class repVornItemDetail final : public ReportObject {
public:
    repVornItemDetail() : ReportObject("repVornItemDetail") {}

    /// Adds a caption and a bound field for each custom field in the tracker's
    /// Custom table, one line each below the standard fields. Starts from the
    /// design, so custom fields of an earlier run go.
    /// \throws automation::ComError from the query or a value that can't be used;
    /// the controls added until then stay.
    void LoadCustomCombos();

private:
    void installCallbacks() override;
    /// A new label, field or check box in `section`; none for any other word.
    engine::Control* AddControl(engine::Section& section, const std::string& typeWord);
    void Detail_BeforePrint(engine::Report& r);
};

} // namespace vorn::reports
