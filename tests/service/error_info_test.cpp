// Errors for hosts that call through the function table: the thread's error
// object carries what a late-bound caller of the same member finds in
// EXCEPINFO, and belongs to the thread that made the call.
#include "error_code.h"
#include "platform/automation/bstr.h"
#include "platform/automation/error_info.h"
#include "platform/automation/late_bound.h"
#include "service/cls_reports.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <tuple>

using namespace vorn;
using namespace vorn::automation;

namespace {

// The status of reading the thread's error object, and what it says.
std::tuple<HRESULT, GUID, std::string, std::string> takeThreadError() {
    IErrorInfo* raw = nullptr;
    const HRESULT status = getErrorInfo(&raw);
    const auto info = ComPtr<IErrorInfo>::adopt(raw);
    GUID iid{};
    Bstr source, description;
    if (info && (info->GetGUID(&iid) || info->GetSource(source.out()) ||
                 info->GetDescription(description.out())))
        ADD_FAILURE() << "the error object does not answer";
    return {status, iid, source.utf8(), description.utf8()};
}

} // namespace

TEST(ErrorInfo, AFailedEarlyBoundCallLeavesWhatALateBoundCallerGets) {
    const std::pair<std::function<HRESULT(clsReports&)>, std::function<void(clsReports&)>> cases[] =
        {
            {[](clsReports& r) {
                 VARIANT five = Variant(std::int16_t{5}).detach();
                 return r.putref_tvwProjects(&five);
             },
             [](clsReports& r) { putRefProperty(&r, "tvwProjects", Variant(std::int16_t{5})); }},
            {[](clsReports& r) { // no connection for the item list
                 VARIANT_BOOL result;
                 r.put_ReportName(Bstr(std::string_view("Vorn Item List Report")).get());
                 return r.PrintReport(&result);
             },
             [](clsReports& r) { callMethod(&r, "PrintReport"); }},
        };
    for (const auto& [early, late] : cases) {
        auto reports = makeObject<clsReports>();
        const HRESULT code = early(*reports.get());
        const auto [status, iid, source, description] = takeThreadError();
        try {
            late(*reports.get());
            ADD_FAILURE() << "the late-bound call succeeded";
        } catch (const ComError& e) {
            EXPECT_EQ(std::tuple(code, S_OK, iid, source, description),
                      std::tuple(e.code(), status, IID__clsReports, e.source(), e.description()));
        }
    }
    auto reports = makeObject<clsReports>();
    const auto support = reports.query<ISupportErrorInfo>(IID_ISupportErrorInfo);
    ASSERT_TRUE(support);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__clsReports), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
}

TEST(ErrorInfo, ReadingTakesTheErrorAndItStaysOnItsThread) {
    auto reports = makeObject<clsReports>();
    EXPECT_EQ(reports->get_UserName(nullptr), E_POINTER);
    std::thread([] { EXPECT_EQ(std::get<0>(takeThreadError()), S_FALSE); }).join();
    EXPECT_EQ(std::get<3>(takeThreadError()), describe(E_POINTER));
    EXPECT_EQ(std::get<0>(takeThreadError()), S_FALSE);
}

TEST(ErrorInfo, AnObjectCalledFromAnotherThreadRefusesTheCall) {
    auto reports = makeObject<clsReports>();
    std::thread([&] {
        VARIANT_BOOL result;
        EXPECT_EQ(reports->PrintReport(&result), RPC_E_WRONG_THREAD);
        EXPECT_EQ(std::get<3>(takeThreadError()), describe(RPC_E_WRONG_THREAD));
        EXPECT_EQ(test::codeOf([&] { putProperty(reports.get(), "UserName", Variant("x")); }),
                  RPC_E_WRONG_THREAD);
    }).join();
    Bstr text;
    EXPECT_EQ(reports->get_UserName(text.out()), S_OK);
}
