// The request object as a host uses it: its properties, the copy into the
// shared state that both entry operations start with, and ShowReport and
// PrintReport choosing a report by name, printing it and passing errors on.
#include "data/mod_report_main.h"
#include "platform/automation/bstr.h"
#include "platform/automation/com_error.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/late_bound.h"
#include "platform/automation/module_usage.h"
#include "print_request_fixture.h"
#include "reports/report_objects.h"
#include "service/cls_reports.h"
#include "tests/support/error_code.h"
#include "tests/support/pdf_reader.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <tuple>

using namespace vorn;
using namespace vorn::automation;
using namespace vorn::test;
namespace fs = std::filesystem;

namespace {

// A host-side object that answers nothing.
class HostObject final : public DispatchObject<IDispatch, HostObject> {
public:
    static std::span<const Member<HostObject>> members() { return {}; }

private:
    friend class DispatchObject<IDispatch, HostObject>;
    ~HostObject() = default;
};

class Dispatch : public PrintRequestFixture {
protected:
    bool print(const std::string& name) {
        putProperty(request_.get(), "ReportName", Variant(name));
        return callMethod(request_.get(), "PrintReport").toBool();
    }
};

} // namespace

TEST(ClsReports, PropertiesStartEmptyAndReadBackExactlyWhatIsWritten) {
    auto reports = makeObject<clsReports>();
    EXPECT_EQ(getProperty(reports.get(), "DSN").dispatch(), nullptr);
    // What a new object reads; what a host writes, and reads back as which type.
    for (const auto& [name, initial, written, read, type] :
         {std::tuple{"SQLStatement", "", Variant("SELECT 1"), "SELECT 1", VARTYPE{VT_BSTR}},
          {"ReportName", "", Variant("Item List Report"), "Item List Report", VT_BSTR},
          {"Version", "", Variant("2.0"), "2.0", VT_BSTR},
          {"DatabaseType", "", Variant("SQL Server"), "SQL Server", VT_BSTR},
          {"AppendSQL", "", Variant(" WHERE 1"), " WHERE 1", VT_BSTR},
          {"UserName", "", Variant("D'Arcy"), "D'Arcy", VT_BSTR},
          {"RunMode", "0", Variant(std::int16_t{2}), "2", VT_I2},
          {"ShowHarness", "False", Variant(std::int16_t{1}), "True", VT_BOOL}, // a host's 1
          {"ShowPrinterDialog", "False", Variant(true), "True", VT_BOOL},
          {"OtherParameters", "", Variant(std::int16_t{5}), "5", VT_I2},
          {"tvwProjects", "", Variant("tree"), "tree", VT_BSTR}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(getProperty(reports.get(), name).toString(), initial);
        putProperty(reports.get(), name, written);
        const Variant back = getProperty(reports.get(), name);
        EXPECT_EQ(std::pair(back.type(), back.toString()), std::pair(type, std::string(read)));
    }
    // Strings keep every UTF-16 unit exactly.
    const std::u16string odd =
        std::u16string(u"Zo\u00eb \U0001F41B ") + char16_t(0xDC00) + std::u16string(u"\0end", 4);
    Bstr in(odd);
    ASSERT_EQ(reports->put_UserName(in.get()), S_OK);
    Bstr out;
    ASSERT_EQ(reports->get_UserName(out.out()), S_OK);
    EXPECT_EQ(out.view(), odd);
}

TEST(RequestCopy, CopiesEachValueAndKeepsObjectSlotsWhenTheRequestHasNone) {
    ReportState& state = modReportMain();
    auto fields = makeObject<HostObject>();
    auto tree = makeObject<HostObject>();
    auto connection = makeObject<HostObject>();

    auto first = makeObject<clsReports>();
    putRefProperty(first.get(), "OtherParameters", Variant(fields.get()));
    putRefProperty(first.get(), "tvwProjects", Variant(tree.get()));
    EXPECT_EQ(getProperty(first.get(), "tvwProjects").dispatch(), tree.get());
    first->put_DSN(connection.get());
    putProperty(first.get(), "SQLStatement", Variant("SELECT * FROM Items"));
    putProperty(first.get(), "ShowPrinterDialog", Variant(true));
    copyRequestToSharedState(first->request());
    const auto copied = [&] {
        return std::tuple(state.gOtherParameters.get(), state.gProjectTree.dispatch(),
                          state.gDSN.get(), state.gSQLStatement, state.gUserName,
                          state.gShowPrinterDialog);
    };
    EXPECT_EQ(copied(), std::tuple(fields.get(), tree.get(), connection.get(),
                                   "SELECT * FROM Items", "", VARIANT_TRUE));

    // A second request without objects: the object slots keep the first
    // request's objects (their copy fails and is skipped), the connection is
    // copied as none, and the strings are overwritten.
    auto second = makeObject<clsReports>();
    putProperty(second.get(), "OtherParameters", Variant(std::int16_t{3}));
    putProperty(second.get(), "UserName", Variant("D'Arcy"));
    copyRequestToSharedState(second->request());
    EXPECT_EQ(copied(), std::tuple(fields.get(), tree.get(), nullptr, "", "D'Arcy", VARIANT_FALSE));
    state = ReportState{};
}

TEST_F(Dispatch, ANameThatMatchesNothingRunsNothingAndIsNoError) {
    EXPECT_FALSE(print("No Such Report"));
    EXPECT_FALSE(fs::exists(printed_));
    for (int position = 1; position <= reports::kReportCount; ++position)
        EXPECT_TRUE(reports::reportObjects().created(position)) << position;
}

TEST_F(Dispatch, PrintingTheItemListUsesTheStatementWithoutTheAppendedTextAndAgainAlike) {
    EXPECT_FALSE(print("Item List Report")); // the window caption selects it too
    auto& list = reports::reportObjects().itemList();
    EXPECT_EQ(list.report().dataControl("rdoReport").sql, "SELECT * FROM Items");
    const std::string text = pdfText(printed_.string());
    EXPECT_NE(text.find("Item List Report"), std::string::npos);
    EXPECT_NE(text.find("Deferred"), std::string::npos) << "item 8 printed: no AppendSQL";

    // Running it again gives the same report: only the printing time may differ.
    print("Vorn Item List Report");
    const std::string again = pdfText(printed_.string());
    const auto lines = [](const std::string& t) { return std::count(t.begin(), t.end(), '\n'); };
    EXPECT_EQ(std::pair(again.size(), lines(again)), std::pair(text.size(), lines(text)));
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
    // The component's own objects, the four reports and the open local database
    // among them, do not keep it loaded.
    EXPECT_TRUE(moduleInUse());
    request_.reset();
    EXPECT_FALSE(moduleInUse());
}

TEST_F(Dispatch, ErrorsAfterTheCopyReachTheHostWithTheirCode) {
    const ComPtr<IDispatch> connection = modReportMain().gDSN;
    putProperty(request_.get(), "DSN", Variant());
    EXPECT_EQ(codeOf([&] { print("Vorn Item List Report"); }),
              basicCode(BasicError::ObjectRequired));
    putProperty(request_.get(), "DSN", Variant(connection.get()));
    putProperty(request_.get(), "SQLStatement", Variant("SELECT * FROM Nowhere"));
    EXPECT_THAT(failureOf([&] { print("Vorn Item List Report"); }).description,
                ::testing::HasSubstr("Nowhere"));
}
