// ShowReport and PrintReport as a host calls them: the report chosen by name,
// what printing does differently from previewing, and errors reaching the host.
#include "data/mod_report_main.h"
#include "host/objects/field_list.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "platform/automation/module_usage.h"
#include "platform/engine/printing/printing.h"
#include "reports/report_objects.h"
#include "service/cls_reports.h"
#include "service/report_dispatch.h"
#include "tests/support/error_code.h"
#include "tests/support/pdf_reader.h"
#include "tracker_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace vorn;
using namespace vorn::automation;
using namespace vorn::test;
namespace fs = std::filesystem;

namespace {

class Dispatch : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        makeReportsDatabase(false);
        printed_ = folder_ / "printed.pdf";
        setenv(kPrintFileVariable, printed_.c_str(), 1);
        connection_ = modReportMain().gDSN;
        request_ = makeObject<clsReports>();
        auto fields =
            makeObject<host::FieldList>(host::parseFieldSpecs("ItemIndex:Item:700,Status"));
        putProperty(request_.get(), "DSN", Variant(modReportMain().gDSN.get()));
        putRefProperty(request_.get(), "OtherParameters",
                       Variant(static_cast<IDispatch*>(fields.get())));
        putProperty(request_.get(), "SQLStatement", Variant("SELECT * FROM Items"));
        putProperty(request_.get(), "AppendSQL", Variant(" WHERE ItemIndex < 3"));
        attachProjectTree();
        putRefProperty(request_.get(), "tvwProjects", modReportMain().gProjectTree);
    }
    void TearDown() override {
        unsetenv(kPrintFileVariable);
        TrackerFixture::TearDown();
    }
    bool print(const std::string& name) {
        putProperty(request_.get(), "ReportName", Variant(name));
        return callMethod(request_.get(), "PrintReport").toBool();
    }

    fs::path printed_;
    ComPtr<IDispatch> connection_;
    ComPtr<clsReports> request_;
};

} // namespace

TEST_F(Dispatch, ANameThatMatchesNothingRunsNothingAndIsNoError) {
    EXPECT_FALSE(print("No Such Report"));
    EXPECT_FALSE(fs::exists(printed_));
    for (int position = 1; position <= reports::kReportCount; ++position)
        EXPECT_TRUE(reports::reportObjects().created(position)) << position;
}

TEST_F(Dispatch, PrintingTheItemListUsesTheStatementWithoutTheAppendedText) {
    EXPECT_FALSE(print("Item List Report")); // the window caption selects it too
    auto& list = reports::reportObjects().itemList();
    EXPECT_EQ(list.report().dataControl("rdoReport").sql, "SELECT * FROM Items");
    const std::string text = pdfText(printed_.string());
    EXPECT_NE(text.find("Item List Report"), std::string::npos);
    EXPECT_NE(text.find("Deferred"), std::string::npos) << "item 8 printed: no AppendSQL";
}

// Each report is reached by its name or its window caption and printed; the
// item detail is left in portrait whatever it was set to.
TEST_F(Dispatch, EachReportIsReachedByNameOrCaptionAndPrinted) {
    reports::reportObjects().itemDetail().setOrientation(2);
    for (const auto& [databaseType, name, shown] :
         {std::tuple{"", "Vorn Item Detail Report", std::vector<const char*>{"Item Detail Report"}},
          {"SQL Server", "User Detail Report", {"User Detail Report", "D'Arcy"}},
          {"", "Project Detail", {"Project Status Report", "O'Brien's Tools"}}}) {
        putProperty(request_.get(), "DatabaseType", Variant(databaseType));
        print(name);
        const std::string text = pdfText(printed_.string());
        for (const char* expected : shown)
            EXPECT_NE(text.find(expected), std::string::npos) << name << ": " << expected;
    }
    EXPECT_EQ(reports::reportObjects().itemDetail().orientation(), 1);
    EXPECT_EQ(projectDetails().size(), 7u);
}

TEST_F(Dispatch, RunningTwiceGivesTheSameReport) {
    print("Vorn Item List Report");
    const std::string first = pdfText(printed_.string());
    print("Vorn Item List Report");
    const std::string second = pdfText(printed_.string());
    // Only the printing time may differ.
    EXPECT_EQ(first.size(), second.size());
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'),
              std::count(second.begin(), second.end(), '\n'));
}

TEST_F(Dispatch, ErrorsAfterTheCopyReachTheHostWithTheirCode) {
    putProperty(request_.get(), "DSN", Variant());
    EXPECT_EQ(codeOf([&] { print("Vorn Item List Report"); }),
              basicCode(BasicError::ObjectRequired));
    putProperty(request_.get(), "DSN", Variant(connection_.get()));
    putProperty(request_.get(), "SQLStatement", Variant("SELECT * FROM Nowhere"));
    EXPECT_THAT(failureOf([&] { print("Vorn Item List Report"); }).description,
                ::testing::HasSubstr("Nowhere"));
}

TEST_F(Dispatch, TheComponentsOwnObjectsDoNotKeepItLoaded) {
    print("Project Detail"); // opens the local reports database, makes the four reports
    EXPECT_TRUE(moduleInUse());
    request_.reset();
    EXPECT_FALSE(moduleInUse());
}

TEST_F(Dispatch, TheResultIsFalseThroughTheFunctionTableToo) {
    putProperty(request_.get(), "ReportName", Variant("Vorn Item List Report"));
    VARIANT_BOOL result = VARIANT_TRUE;
    EXPECT_EQ(request_->PrintReport(&result), S_OK);
    EXPECT_EQ(result, VARIANT_FALSE);
    putProperty(request_.get(), "DSN", Variant());
    result = VARIANT_TRUE;
    EXPECT_EQ(request_->PrintReport(&result), basicCode(BasicError::ObjectRequired));
    EXPECT_EQ(result, VARIANT_FALSE);
}
