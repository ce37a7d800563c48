// clsReports: the request a host fills before asking for a report. A plain
// holder: its accessors store and return values and do nothing else; only
// ShowReport and PrintReport read them.
#pragma once

#include "platform/automation/dispatch_object.h"
#include "platform/automation/member_type_info.h"
#include "service/cls_reports_interface.h"

#include <span>
#include <string>
#include <thread>

namespace vorn {

class clsReports final : public automation::DispatchObject<_clsReports, clsReports>,
                         public automation::ISupportErrorInfo {
public:
    static std::span<const automation::Member<clsReports>> members();
    bool supports(const automation::IID& iid) const noexcept { return iid == IID__clsReports; }
    automation::IUnknown* otherInterface(const automation::IID& iid) noexcept;

    // One identity for both bases.
    HRESULT QueryInterface(const automation::IID& iid, void** object) override {
        return DispatchObject::QueryInterface(iid, object);
    }
    automation::ULONG AddRef() override { return DispatchObject::AddRef(); }
    automation::ULONG Release() override { return DispatchObject::Release(); }

    /// The dispatch side of _clsReports, as its type library declares it.
    static const automation::InterfaceDescription& description();
    HRESULT GetTypeInfoCount(automation::UINT* count) override;
    HRESULT GetIDsOfNames(const automation::IID& iid, automation::OLECHAR** names,
                          automation::UINT count, automation::LCID lcid,
                          automation::DISPID* ids) override;
    HRESULT Invoke(automation::DISPID id, const automation::IID& iid, automation::LCID lcid,
                   automation::WORD flags, automation::DISPPARAMS* params, VARIANT* result,
                   automation::EXCEPINFO* excepInfo, automation::UINT* argErr) override;
    HRESULT GetTypeInfo(automation::UINT index, automation::LCID lcid,
                        automation::ITypeInfo** info) override;

    /// A failure through the function table leaves this thread's error object.
    HRESULT InterfaceSupportsErrorInfo(const automation::IID& iid) override;

    HRESULT put_ShowPrinterDialog(VARIANT_BOOL value) override;
    HRESULT get_ShowPrinterDialog(VARIANT_BOOL* value) override;
    HRESULT put_ShowHarness(VARIANT_BOOL value) override;
    HRESULT get_ShowHarness(VARIANT_BOOL* value) override;
    HRESULT put_UserName(BSTR value) override;
    HRESULT get_UserName(BSTR* value) override;
    HRESULT put_AppendSQL(BSTR value) override;
    HRESULT get_AppendSQL(BSTR* value) override;
    HRESULT put_DatabaseType(BSTR value) override;
    HRESULT get_DatabaseType(BSTR* value) override;
    HRESULT put_Version(BSTR value) override;
    HRESULT get_Version(BSTR* value) override;
    HRESULT put_tvwProjects(VARIANT value) override;
    HRESULT putref_tvwProjects(VARIANT* value) override;
    HRESULT get_tvwProjects(VARIANT* value) override;
    HRESULT put_OtherParameters(VARIANT value) override;
    HRESULT putref_OtherParameters(VARIANT* value) override;
    HRESULT get_OtherParameters(VARIANT* value) override;
    HRESULT ShowReport(VARIANT_BOOL* result) override;
    HRESULT PrintReport(VARIANT_BOOL* result) override;
    HRESULT put_ReportName(BSTR value) override;
    HRESULT get_ReportName(BSTR* value) override;
    HRESULT put_RunMode(std::int16_t value) override;
    HRESULT get_RunMode(std::int16_t* value) override;
    HRESULT put_SQLStatement(BSTR value) override;
    HRESULT get_SQLStatement(BSTR* value) override;
    HRESULT put_DSN(IDispatch* connection) override;
    HRESULT get_DSN(IDispatch** connection) override;

    /// The request as the entry operations read it.
    struct Request {
        automation::ComPtr<IDispatch> dsn;
        std::u16string sqlStatement;
        std::int16_t runMode = 0;
        std::u16string reportName;
        automation::Variant otherParameters;
        automation::Variant tvwProjects;
        std::u16string version;
        std::u16string databaseType;
        std::u16string appendSQL;
        std::u16string userName;
        VARIANT_BOOL showHarness = automation::VARIANT_FALSE;
        VARIANT_BOOL showPrinterDialog = automation::VARIANT_FALSE;
    };
    const Request& request() const noexcept { return request_; }

    // Shared by the function table and Invoke.
    void setVariantByValue(automation::Variant& slot, const automation::Variant& value);
    void setVariantByReference(automation::Variant& slot, const automation::Variant& value);
    Request& mutableRequest() noexcept { return request_; }

private:
    friend class automation::DispatchObject<_clsReports, clsReports>;
    ~clsReports() = default;

    /// RPC_E_WRONG_THREAD, left as the thread's error object, when called
    /// from a thread other than the one that made the object: its state, and
    /// the shared report state it works on, belong to that thread. S_OK otherwise.
    HRESULT refuseOtherThreads() const noexcept;

    Request request_;
    std::thread::id owner_ = std::this_thread::get_id();
    automation::HostHeld hostHeld_;
};

} // namespace vorn
