// Errors for hosts that call through the function table: the thread's error
// object carries what a late-bound caller of the same member finds in
// EXCEPINFO, and the object says that its interface leaves one.
#include "error_code.h"
#include "platform/automation/bstr.h"
#include "platform/automation/error_info.h"
#include "platform/automation/late_bound.h"
#include "service/cls_reports.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

using namespace vorn;
using namespace vorn::automation;

namespace {

struct ThreadError {
    HRESULT status = E_FAIL;
    GUID iid{};
    std::string source;
    std::string description;
};

ThreadError takeThreadError() {
    ThreadError read;
    IErrorInfo* raw = nullptr;
    read.status = getErrorInfo(&raw);
    const auto info = ComPtr<IErrorInfo>::adopt(raw);
    if (!info)
        return read;
    Bstr text;
    EXPECT_EQ(info->GetSource(text.out()), S_OK);
    read.source = text.utf8();
    EXPECT_EQ(info->GetDescription(text.out()), S_OK);
    read.description = text.utf8();
    EXPECT_EQ(info->GetGUID(&read.iid), S_OK);
    return read;
}

struct EarlyAndLate {
    const char* what;
    std::function<HRESULT(clsReports&)> early;
    std::function<void(clsReports&)> late;
};

} // namespace

TEST(ErrorInfo, AFailedEarlyBoundCallLeavesWhatALateBoundCallerGets) {
    const EarlyAndLate cases[] = {
        {"a number written by reference",
         [](clsReports& r) {
             VARIANT five = Variant(std::int16_t{5}).detach();
             return r.putref_tvwProjects(&five);
         },
         [](clsReports& r) { putRefProperty(&r, "tvwProjects", Variant(std::int16_t{5})); }},
        {"a report without a connection",
         [](clsReports& r) {
             r.put_ReportName(Bstr(std::string_view("Vorn Item List Report")).get());
             VARIANT_BOOL result;
             return r.PrintReport(&result);
         },
         [](clsReports& r) {
             putProperty(&r, "ReportName", Variant("Vorn Item List Report"));
             callMethod(&r, "PrintReport");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto reports = makeObject<clsReports>();
        const HRESULT code = c.early(*reports.get());
        const ThreadError early = takeThreadError();
        ComError late(S_OK);
        try {
            c.late(*reports.get());
            FAIL() << "the late-bound call succeeded";
        } catch (const ComError& e) {
            late = e;
        }
        EXPECT_EQ(code, late.code());
        EXPECT_EQ(early.status, S_OK);
        EXPECT_EQ(early.iid, IID__clsReports);
        EXPECT_EQ(early.source, late.source());
        EXPECT_EQ(early.description, late.description());
        EXPECT_FALSE(early.description.empty());
    }
}

TEST(ErrorInfo, ReadingTakesTheErrorAndItStaysOnItsThread) {
    auto reports = makeObject<clsReports>();
    EXPECT_EQ(reports->get_UserName(nullptr), E_POINTER);
    std::thread([] { EXPECT_EQ(takeThreadError().status, S_FALSE); }).join();
    const ThreadError first = takeThreadError();
    EXPECT_EQ(first.status, S_OK);
    EXPECT_EQ(first.description, describe(E_POINTER));
    EXPECT_EQ(takeThreadError().status, S_FALSE);
}

TEST(ErrorInfo, TheRequestObjectLeavesErrorsForItsOwnInterfaceOnly) {
    auto reports = makeObject<clsReports>();
    const auto support = reports.query<ISupportErrorInfo>(IID_ISupportErrorInfo);
    ASSERT_TRUE(support);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__clsReports), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    // The same object behind either interface.
    EXPECT_EQ(support.query<IUnknown>(IID_IUnknown).get(),
              reports.query<IUnknown>(IID_IUnknown).get());
}

TEST(ErrorInfo, AnObjectCalledFromAnotherThreadRefusesTheCall) {
    auto reports = makeObject<clsReports>();
    std::thread([&] {
        Bstr text;
        EXPECT_EQ(reports->get_UserName(text.out()), RPC_E_WRONG_THREAD);
        EXPECT_EQ(takeThreadError().description, describe(RPC_E_WRONG_THREAD));
        VARIANT_BOOL result;
        EXPECT_EQ(reports->PrintReport(&result), RPC_E_WRONG_THREAD);
        EXPECT_EQ(test::codeOf([&] { putProperty(reports.get(), "UserName", Variant("x")); }),
                  RPC_E_WRONG_THREAD);
    }).join();
    Bstr text;
    EXPECT_EQ(reports->get_UserName(text.out()), S_OK);
}
