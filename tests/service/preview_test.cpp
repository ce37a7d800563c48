// Previewing under a display: the window opens and the call returns at once;
// a preview runs the statement with the appended text.
#include "platform/engine/preview/preview_registry.h"
#include "print_request_fixture.h"
#include "reports/report_objects.h"

using namespace vorn;
using namespace vorn::automation;
using namespace vorn::test;

namespace {

class Preview : public PrintRequestFixture {
protected:
    void TearDown() override {
        engine::closeAllPreviews();
        PrintRequestFixture::TearDown();
    }
};

} // namespace

TEST_F(Preview, TheItemListOpensWithTheAppendedStatementAndKeepsTheCopyItShows) {
    putProperty(request_.get(), "ReportName", Variant("Vorn Item List Report"));
    EXPECT_FALSE(callMethod(request_.get(), "ShowReport").toBool());
    auto& list = reports::reportObjects().itemList();
    EXPECT_EQ(list.report().dataControl("rdoReport").sql,
              "SELECT * FROM Items WHERE ItemIndex < 3");
    EXPECT_NE(engine::findPreview(list.designName()), nullptr);

    // The open window goes on laying out the copy it shows; a new run gets its own.
    const engine::Report* shown = &list.report();
    list.setSqlText("SELECT * FROM Items WHERE ItemIndex = 1");
    EXPECT_NE(&list.report(), shown);
    EXPECT_EQ(shown->dataControls().front()->sql, "SELECT * FROM Items WHERE ItemIndex < 3");
}

TEST_F(Preview, AStatusReportIsShownThenRebuiltAndRunAgain) {
    putProperty(request_.get(), "ReportName", Variant("Project Detail"));
    EXPECT_FALSE(callMethod(request_.get(), "ShowReport").toBool());
    EXPECT_NE(engine::findPreview(reports::reportObjects().projectDetail().designName()), nullptr);
    EXPECT_EQ(projectDetails().size(), 7u);
}
