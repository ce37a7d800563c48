// RunListReport: columns from the host's field list, wrapped as the page
// fills, and the page-wide controls moved for the orientation.
#include "data/mod_report_main.h"
#include "host/objects/field_list.h"
#include "platform/automation/com_error.h"
#include "platform/engine/render/report_document.h"
#include "report_pages.h"
#include "reports/rep_vorn_item_list.h"
#include "tests/support/error_code.h"
#include "tracker_fixture.h"

using namespace vorn;
using namespace vorn::test;
using automation::ComError;

namespace {

class ItemList : public TrackerFixture {
protected:
    void useColumns(const std::string& columns) {
        auto fields = automation::makeObject<host::FieldList>(host::parseFieldSpecs(columns));
        modReportMain().gOtherParameters = automation::ComPtr<automation::IDispatch>(fields.get());
    }
    std::vector<const engine::Control*> added(const char* section, engine::ControlKind kind) {
        std::vector<const engine::Control*> out;
        for (const auto& c : report_.report().section(section).controls)
            if (c->kind == kind &&
                c->name.rfind(kind == engine::ControlKind::Label ? "Label" : "Field", 0) == 0 &&
                (kind == engine::ControlKind::Field ? !c->dataField.empty() : c->top >= 1170))
                out.push_back(c.get());
        return out;
    }
    reports::repVornItemList report_;
};

} // namespace

TEST_F(ItemList, ColumnsWrapOntoANewRowWhenThePageIsFullHoweverOftenRun) {
    useColumns("ItemIndex:Item:5000,Subject:Subject:5000,Status:Status:1000");
    report_.setOrientation(1);
    report_.RunListReport();
    report_.RunListReport(); // running again starts from the design
    const auto captions = added("PageHeader", engine::ControlKind::Label);
    const auto fields = added("Detail", engine::ControlKind::Field);
    ASSERT_EQ(captions.size(), 3u);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(captions[0]->left, 250);
    EXPECT_EQ(captions[1]->left, 5295);
    EXPECT_EQ(captions[2]->left, 350);
    EXPECT_EQ(captions[0]->top, 1170);
    EXPECT_EQ(captions[2]->top, 1370);
    EXPECT_EQ(captions[2]->caption, "Status");
    EXPECT_TRUE(captions[2]->font.bold);
    EXPECT_EQ(captions[2]->font.name, "Tahoma");
    EXPECT_EQ(fields[2]->top, 200);
    EXPECT_EQ(fields[2]->left, 350);
    EXPECT_EQ(fields[2]->dataField, "Status");
    EXPECT_EQ(fields[2]->dataSource, "rdoReport");
    EXPECT_EQ(report_.report().section("Detail").height, 500);
    EXPECT_EQ(report_.report().section("PageHeader").height, 1425 + 200);
}

TEST_F(ItemList, AnEmptyListStillMovesTheDecorationsForLandscape) {
    useColumns("");
    report_.setOrientation(2);
    report_.RunListReport();
    engine::Report& r = report_.report();
    EXPECT_EQ(r.control("linItem").x2, 13800);
    EXPECT_EQ(r.control("Label22").left, 11000);
    EXPECT_EQ(r.control("txtPageNumber").left, 11450);
    EXPECT_EQ(r.control("Label21").left, 11900);
    EXPECT_EQ(r.control("txtPageCount").left, 12080);
    EXPECT_EQ(r.control("Image2").left, 12500);
    EXPECT_EQ(r.section("Detail").height, 300);
}

TEST_F(ItemList, AFirstColumnWiderThanThePageStartsOnRowOne) {
    useColumns("Subject:Subject:11100");
    report_.setOrientation(1);
    report_.RunListReport();
    const auto captions = added("PageHeader", engine::ControlKind::Label);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0]->left, 350);
    EXPECT_EQ(captions[0]->top, 1370);
    EXPECT_EQ(report_.report().section("PageHeader").height, 1625);
}

TEST_F(ItemList, PrintsEveryItemWithItsColumns) {
    useColumns("ItemIndex:Item:700,Status:Status:1500");
    report_.setConnection(modReportMain().gDSN);
    report_.setSqlText("SELECT * FROM Items ORDER BY ItemIndex");
    report_.RunListReport();
    const auto document = report_.run();
    ASSERT_EQ(document->pageCount(), 1);
    EXPECT_TRUE(pageShows(*document, 0, "Item"));
    EXPECT_TRUE(pageShows(*document, 0, "Deferred"));
    EXPECT_TRUE(pageShows(*document, 0, "COMPLETED"));
    EXPECT_TRUE(pageShows(*document, 0, "1")); // page 1 of 1
    EXPECT_FALSE(pageShows(*document, 0, "Field5")) << "the engine fills in the page count";
}

TEST_F(ItemList, ABadFieldListIsTheCallersError) {
    modReportMain().gOtherParameters.reset();
    EXPECT_THROW(report_.RunListReport(), ComError);
    useColumns("Nope:Missing:700");
    report_.setConnection(modReportMain().gDSN);
    report_.setSqlText("SELECT * FROM Items");
    report_.RunListReport();
    EXPECT_THAT(failureOf([&] { report_.run(); }).description, ::testing::HasSubstr("Nope"));
}
