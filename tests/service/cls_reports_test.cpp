// The request object as a host uses it, and the copy into the shared state
// that both entry operations start with.
#include "data/mod_report_main.h"
#include "platform/automation/bstr.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/late_bound.h"
#include "service/cls_reports.h"
#include "service/report_dispatch.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

using namespace vorn;
using namespace vorn::automation;

namespace {

// A host-side object that answers nothing but counts its references.
class HostObject final : public DispatchObject<IDispatch, HostObject> {
public:
    static std::span<const Member<HostObject>> members() { return {}; }

private:
    friend class DispatchObject<IDispatch, HostObject>;
    ~HostObject() = default;
};

ULONG referencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

Variant asObject(IDispatch* object) {
    return Variant(object);
}

} // namespace

TEST(ClsReports, NewObjectReadsInitialValuesLateBound) {
    auto reports = makeObject<clsReports>();
    for (const char* name :
         {"SQLStatement", "ReportName", "Version", "DatabaseType", "AppendSQL", "UserName"})
        EXPECT_EQ(getProperty(reports.get(), name).toString(), "") << name;
    EXPECT_EQ(getProperty(reports.get(), "RunMode").type(), VT_I2);
    EXPECT_EQ(getProperty(reports.get(), "RunMode").toI2(), 0);
    EXPECT_FALSE(getProperty(reports.get(), "ShowHarness").toBool());
    EXPECT_FALSE(getProperty(reports.get(), "ShowPrinterDialog").toBool());
    EXPECT_TRUE(getProperty(reports.get(), "OtherParameters").isEmpty());
    EXPECT_TRUE(getProperty(reports.get(), "tvwProjects").isEmpty());
    EXPECT_EQ(getProperty(reports.get(), "DSN").dispatch(), nullptr);
}

TEST(ClsReports, StringsKeepEveryUtf16UnitExactly) {
    auto reports = makeObject<clsReports>();
    const std::u16string odd =
        std::u16string(u"Zo\u00eb \U0001F41B ") + char16_t(0xDC00) + std::u16string(u"\0end", 4);
    Bstr in(odd);
    ASSERT_EQ(reports->put_UserName(in.get()), S_OK);
    Bstr out;
    ASSERT_EQ(reports->get_UserName(out.out()), S_OK);
    EXPECT_EQ(out.view(), odd);
    EXPECT_EQ(reports->get_UserName(nullptr), E_POINTER);
}

TEST(ClsReports, VariantPropertiesByReferenceAndByValue) {
    auto reports = makeObject<clsReports>();
    auto tree = makeObject<HostObject>();
    putRefProperty(reports.get(), "tvwProjects", asObject(tree.get()));
    EXPECT_EQ(getProperty(reports.get(), "tvwProjects").dispatch(), tree.get());
    EXPECT_EQ(referencesOf(tree.get()), 2u);

    // Writing a plain value by reference fails and keeps the object.
    EXPECT_THROW(putRefProperty(reports.get(), "tvwProjects", Variant(std::int16_t{5})), ComError);
    EXPECT_EQ(getProperty(reports.get(), "tvwProjects").dispatch(), tree.get());

    putProperty(reports.get(), "OtherParameters", Variant(std::int16_t{5}));
    EXPECT_EQ(getProperty(reports.get(), "OtherParameters").toI2(), 5);

    reports.reset();
    EXPECT_EQ(referencesOf(tree.get()), 1u); // the request released its reference
}

TEST(ClsReports, ShowHarnessWrittenAsOneCountsAsTrue) {
    auto reports = makeObject<clsReports>();
    putProperty(reports.get(), "ShowHarness", Variant(std::int16_t{1}));
    EXPECT_TRUE(getProperty(reports.get(), "ShowHarness").toBool());
}

TEST(RequestCopy, CopiesEachValueAndKeepsObjectSlotsWhenTheRequestHasNone) {
    ReportState& state = modReportMain();
    auto fields = makeObject<HostObject>();
    auto tree = makeObject<HostObject>();
    auto connection = makeObject<HostObject>();

    auto first = makeObject<clsReports>();
    putRefProperty(first.get(), "OtherParameters", asObject(fields.get()));
    putRefProperty(first.get(), "tvwProjects", asObject(tree.get()));
    first->put_DSN(connection.get());
    putProperty(first.get(), "SQLStatement", Variant("SELECT * FROM Items"));
    putProperty(first.get(), "ShowPrinterDialog", Variant(true));
    copyRequestToSharedState(first->request());
    EXPECT_EQ(state.gOtherParameters.get(), fields.get());
    EXPECT_EQ(state.gProjectTree.dispatch(), tree.get());
    EXPECT_EQ(state.gDSN.get(), connection.get());
    EXPECT_EQ(state.gSQLStatement, "SELECT * FROM Items");
    EXPECT_NE(state.gShowPrinterDialog, 0);

    // A second request without objects: the object slots keep the first
    // request's objects (their copy fails and is skipped), the connection is
    // copied as none, and the strings are overwritten.
    auto second = makeObject<clsReports>();
    putProperty(second.get(), "OtherParameters", Variant(std::int16_t{3}));
    putProperty(second.get(), "UserName", Variant("D'Arcy"));
    copyRequestToSharedState(second->request());
    EXPECT_EQ(state.gOtherParameters.get(), fields.get());
    EXPECT_EQ(state.gProjectTree.dispatch(), tree.get());
    EXPECT_EQ(state.gDSN.get(), nullptr);
    EXPECT_EQ(state.gSQLStatement, "");
    EXPECT_EQ(state.gUserName, "D'Arcy");
    EXPECT_EQ(state.gShowPrinterDialog, 0);

    // The shared state's references outlive the request objects.
    first.reset();
    second.reset();
    EXPECT_EQ(referencesOf(fields.get()), 2u);
    state = ReportState{};
}

TEST(RequestCopy, EachThreadHasItsOwnSharedState) {
    modReportMain().gUserName = "main";
    std::string seen = "unset";
    std::thread other([&] { seen = modReportMain().gUserName; });
    other.join();
    EXPECT_EQ(seen, "");
    EXPECT_EQ(modReportMain().gUserName, "main");
    modReportMain() = ReportState{};
}
