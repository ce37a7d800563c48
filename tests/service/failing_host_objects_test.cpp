// The host's column list or project tree failing inside a late-bound call, one
// member at a time: a failing column list ends the print with the host's own
// code and text; a failing tree only costs the status rows their folder path.
#include "platform/automation/com_error.h"
#include "platform/automation/counted_object.h"
#include "platform/automation/dispatch_object.h"
#include "print_request_fixture.h"
#include "tests/support/error_code.h"
#include "tests/support/pdf_reader.h"

#include <filesystem>
#include <optional>

using namespace vorn;
using namespace vorn::automation;
using namespace vorn::test;

namespace {

constexpr HRESULT kHostFailure = static_cast<HRESULT>(0x800A03E8); // a host's own error
constexpr const char* kHostText = "The tracker closed the object";

// Stands between the component and a host object and fails, as the host's own
// code would, whenever the member `failing` is called; the objects it hands
// out stand behind one too, so a member of a column or a node can fail.
class FailingMember final : public CountedObject<IDispatch, IID_IDispatch, FailingMember> {
public:
    FailingMember(IDispatch* inner, std::string failing)
        : inner_(inner), failing_(std::move(failing)) {}

    // The component reaches host objects by name alone.
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, LCID lcid,
                          DISPID* ids) override {
        const HRESULT status = inner_->GetIDsOfNames(riid, names, count, lcid, ids);
        if (status == S_OK && count > 0 && detail::namesEqual(names[0], failing_))
            failingId_ = ids[0];
        return status;
    }
    HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* info, UINT* argErr) override {
        if (id == failingId_) {
            try {
                throw ComError(kHostFailure, kHostText, "VornTracker");
            } catch (...) {
                return detail::reportError(info);
            }
        }
        const HRESULT status = inner_->Invoke(id, riid, lcid, flags, params, result, info, argErr);
        if (status == S_OK && result && result->vt == VT_DISPATCH && result->pdispVal) {
            IDispatch* handedOut = result->pdispVal;
            result->pdispVal = new FailingMember(handedOut, failing_);
            handedOut->Release(); // the stand-in holds its own reference
        }
        return status;
    }

private:
    friend class CountedObject<IDispatch, IID_IDispatch, FailingMember>;
    ~FailingMember() = default;
    ComPtr<IDispatch> inner_;
    std::string failing_;
    std::optional<DISPID> failingId_;
};

ComPtr<IDispatch> failingAt(IDispatch* inner, const std::string& member) {
    return ComPtr<IDispatch>::adopt(new FailingMember(inner, member));
}

class FailingHostObjects : public PrintRequestFixture {
protected:
    void SetUp() override {
        PrintRequestFixture::SetUp();
        // The server form leaves out items without an assignee, where the
        // Access form would stop the user status build.
        putProperty(request_.get(), "DatabaseType", Variant("SQL Server"));
        tree_ = modReportMain().gProjectTree.dispatch();
    }
    Failure print(const std::string& name, IDispatch* fields, IDispatch* tree) {
        putRefProperty(request_.get(), "OtherParameters", Variant(fields));
        putRefProperty(request_.get(), "tvwProjects", Variant(tree));
        putProperty(request_.get(), "ReportName", Variant(name));
        return failureOf([&] { callMethod(request_.get(), "PrintReport"); });
    }

    IDispatch* tree_ = nullptr; // held by the shared state
};

} // namespace

TEST_F(FailingHostObjects, AFailingColumnListEndsThePrintWithTheHostsError) {
    for (const char* member : {"Count", "Item", "fieldwidth", "FriendlyName", "FieldName"}) {
        const Failure failure =
            print("Vorn Item List Report", failingAt(fields_.get(), member).get(), tree_);
        EXPECT_EQ(failure.code, kHostFailure) << member;
        EXPECT_NE(failure.description.find(kHostText), std::string::npos) << member;
        EXPECT_FALSE(std::filesystem::exists(printed_)) << member;
    }
}

// Reading a node's path runs with errors ignored: the rows are still written
// and printed, each filed under its own project's name.
TEST_F(FailingHostObjects, AFailingTreeLeavesTheStatusReportsWhole) {
    for (const char* report : {"Project Detail", "User Detail Report"})
        for (const char* member : {"Nodes", "Item", "FullPath"}) {
            const std::string context = std::string(report) + ", " + member;
            EXPECT_EQ(print(report, fields_.get(), failingAt(tree_, member).get()).code, 0)
                << context;
            EXPECT_THAT(projectDetails(), ::testing::Contains(::testing::HasSubstr("|Docs|Docs|")))
                << context;
            EXPECT_NE(pdfText(printed_.string()).find("Docs"), std::string::npos) << context;
            std::filesystem::remove(printed_);
        }
}
