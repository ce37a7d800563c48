// Previewing under a display: the window opens and the call returns at once;
// a preview runs the statement with the appended text.
#include "data/mod_report_main.h"
#include "host/objects/field_list.h"
#include "platform/automation/late_bound.h"
#include "platform/engine/preview/preview_registry.h"
#include "reports/report_objects.h"
#include "service/cls_reports.h"
#include "tracker_fixture.h"

using namespace vorn;
using namespace vorn::automation;
using namespace vorn::test;

namespace {

class Preview : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        makeReportsDatabase(false);
        attachProjectTree();
        request_ = makeObject<clsReports>();
        auto fields = makeObject<host::FieldList>(host::parseFieldSpecs("ItemIndex:Item:700"));
        putProperty(request_.get(), "DSN", Variant(modReportMain().gDSN.get()));
        putRefProperty(request_.get(), "OtherParameters",
                       Variant(static_cast<IDispatch*>(fields.get())));
        putRefProperty(request_.get(), "tvwProjects", modReportMain().gProjectTree);
        putProperty(request_.get(), "SQLStatement", Variant("SELECT * FROM Items"));
        putProperty(request_.get(), "AppendSQL", Variant(" WHERE ItemIndex < 3"));
    }
    void TearDown() override {
        engine::closeAllPreviews();
        TrackerFixture::TearDown();
    }
    ComPtr<clsReports> request_;
};

} // namespace

TEST_F(Preview, TheItemListOpensWithTheAppendedStatementAndStaysOpen) {
    putProperty(request_.get(), "ReportName", Variant("Vorn Item List Report"));
    EXPECT_FALSE(callMethod(request_.get(), "ShowReport").toBool());
    auto& list = reports::reportObjects().itemList();
    EXPECT_EQ(list.report().dataControl("rdoReport").sql,
              "SELECT * FROM Items WHERE ItemIndex < 3");
    EXPECT_NE(engine::findPreview(list.designName()), nullptr);
}

TEST_F(Preview, AStatusReportIsShownThenRebuiltAndRunAgain) {
    putProperty(request_.get(), "ReportName", Variant("Project Detail"));
    EXPECT_FALSE(callMethod(request_.get(), "ShowReport").toBool());
    EXPECT_NE(engine::findPreview(reports::reportObjects().projectDetail().designName()), nullptr);
    EXPECT_EQ(projectDetails().size(), 7u);
}

// The open window goes on laying out the copy it shows; a new run gets its own.
TEST_F(Preview, ARunAfterAPreviewLeavesTheShownCopyAsItWas) {
    putProperty(request_.get(), "ReportName", Variant("Vorn Item List Report"));
    EXPECT_FALSE(callMethod(request_.get(), "ShowReport").toBool());
    auto& list = reports::reportObjects().itemList();
    const engine::Report* shown = &list.report();
    list.setSqlText("SELECT * FROM Items WHERE ItemIndex = 1");
    EXPECT_NE(&list.report(), shown);
    EXPECT_EQ(shown->dataControls().front()->sql, "SELECT * FROM Items WHERE ItemIndex < 3");
    EXPECT_EQ(list.report().dataControl("rdoReport").sql,
              "SELECT * FROM Items WHERE ItemIndex = 1");
}
