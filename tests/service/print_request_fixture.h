// A request filled the way the tracker application fills it, over the small
// tracker of TrackerFixture, with prints going to a file of the test's own.
#pragma once

#include "data/mod_report_main.h"
#include "host/objects/field_list.h"
#include "platform/automation/late_bound.h"
#include "scoped_environment.h"
#include "service/cls_reports.h"
#include "service/report_dispatch.h"
#include "tracker_fixture.h"

#include <filesystem>

namespace vorn::test {

class PrintRequestFixture : public TrackerFixture {
protected:
    void SetUp() override {
        using namespace automation;
        TrackerFixture::SetUp();
        makeReportsDatabase(false);
        attachProjectTree();
        environment_.set(kPrintFileVariable, printed_.string());
        putProperty(request_.get(), "DSN", Variant(modReportMain().gDSN.get()));
        putRefProperty(request_.get(), "OtherParameters",
                       Variant(static_cast<IDispatch*>(fields_.get())));
        putRefProperty(request_.get(), "tvwProjects", modReportMain().gProjectTree);
        putProperty(request_.get(), "SQLStatement", Variant("SELECT * FROM Items"));
        // Only a preview runs the appended text.
        putProperty(request_.get(), "AppendSQL", Variant(" WHERE ItemIndex < 3"));
    }

    const std::filesystem::path printed_ = std::filesystem::path(temp_.path()) / "printed.pdf";
    ScopedEnvironment environment_;
    automation::ComPtr<host::FieldList> fields_ =
        automation::makeObject<host::FieldList>(host::parseFieldSpecs("ItemIndex:Item:700,Status"));
    automation::ComPtr<clsReports> request_ = automation::makeObject<clsReports>();
};

} // namespace vorn::test
