// RunListReport: columns from the host's field list, wrapped as the page
// fills, and the page-wide controls moved for the orientation.
#include "data/mod_report_main.h"
#include "host/objects/field_list.h"
#include "platform/automation/com_error.h"
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

// Landscape's wider page takes a third column before the row wraps.
TEST_F(ItemList, ColumnsWrapOntoANewRowWhenThePageIsFullHoweverOftenRun) {
    const std::tuple<const char*, int, std::vector<std::pair<int, int>>> cases[] = {
        {"ItemIndex:Item:5000,Subject:Subject:5000,Status:Status:1000",
         1,
         {{250, 1170}, {5295, 1170}, {350, 1370}}},
        {"ItemIndex:C1:5000,Subject:C2:5000,Status:C3:3000,Priority:C4:1000",
         2,
         {{250, 1170}, {5295, 1170}, {10340, 1170}, {350, 1370}}},
        {"Subject:Title:11100", 1, {{350, 1370}}}}; // wider than the page: starts on row one
    for (const auto& [columns, orientation, places] : cases) {
        useColumns(columns);
        report_.setOrientation(orientation);
        report_.RunListReport();
        report_.RunListReport(); // running again starts from the design
        const auto captions = added("PageHeader", engine::ControlKind::Label);
        const auto fields = added("Detail", engine::ControlKind::Field);
        ASSERT_EQ(captions.size(), places.size()) << columns;
        ASSERT_EQ(fields.size(), places.size()) << columns;
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(captions[i]->left, places[i].first) << columns << i;
            EXPECT_EQ(captions[i]->top, places[i].second) << columns << i;
            EXPECT_EQ(fields[i]->left, places[i].first) << columns << i;
            EXPECT_EQ(fields[i]->top, places[i].second - 1170) << columns << i;
        }
        EXPECT_EQ(report_.report().section("PageHeader").height, 1425 + 200);
    }
    const auto captions = added("PageHeader", engine::ControlKind::Label);
    EXPECT_EQ(captions[0]->caption, "Title");
    EXPECT_TRUE(captions[0]->font.bold);
    EXPECT_EQ(captions[0]->font.name, "Tahoma");
    EXPECT_EQ(added("Detail", engine::ControlKind::Field)[0]->dataField, "Subject");
    EXPECT_EQ(added("Detail", engine::ControlKind::Field)[0]->dataSource, "rdoReport");
    EXPECT_EQ(report_.report().section("Detail").height, 500);
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

TEST_F(ItemList, ABadFieldListIsTheCallersError) {
    modReportMain().gOtherParameters.reset();
    EXPECT_THROW(report_.RunListReport(), ComError);
    useColumns("Nope:Missing:700");
    report_.setConnection(modReportMain().gDSN);
    report_.setSqlText("SELECT * FROM Items");
    report_.RunListReport();
    EXPECT_THAT(failureOf([&] { report_.run(); }).description, ::testing::HasSubstr("Nope"));
}
