#include "service/cls_reports.h"

#include "platform/automation/bstr.h"
#include "platform/automation/error_info.h"
#include "service/report_dispatch.h"

#include <array>

namespace vorn {

using automation::Args;
using automation::BasicError;
using automation::ComError;
using automation::ComPtr;
using automation::Member;
using automation::MemberKind;
using automation::Variant;

namespace {

// Every failure through the function table leaves the thread's error object,
// so that a host reads the same description a late-bound caller gets.
HRESULT fail(HRESULT code) noexcept {
    return automation::recordError({code, automation::describe(code), automation::kErrorSource},
                                   IID__clsReports);
}

template <class F> HRESULT guarded(F&& body) noexcept {
    try {
        body();
        return automation::S_OK;
    } catch (...) {
        return automation::recordError(automation::currentError(), IID__clsReports);
    }
}

HRESULT readString(const std::u16string& stored, BSTR* out) {
    if (!out)
        return fail(automation::E_POINTER);
    return guarded([&] { *out = automation::allocBstr(stored); });
}

HRESULT writeString(std::u16string& stored, BSTR value) {
    return guarded([&] { stored = automation::bstrView(value); });
}

template <class T> HRESULT readValue(const T& stored, T* out) {
    if (!out)
        return fail(automation::E_POINTER);
    *out = stored;
    return automation::S_OK;
}

Variant boolVariant(VARIANT_BOOL raw) {
    // Handed back exactly as stored, even a non-canonical True such as 1.
    VARIANT v{};
    v.vt = automation::VT_BOOL;
    v.boolVal = raw;
    return Variant::adopt(v);
}

// A variant property reads back a new reference to the object it holds, or a
// copy of its plain value: both are what copying the Variant gives.
HRESULT readVariant(const Variant& stored, VARIANT* out) {
    if (!out)
        return fail(automation::E_POINTER);
    return guarded([&] { *out = Variant(stored).detach(); });
}

Variant getVariant(const Variant& stored) {
    return stored;
}

} // namespace

void clsReports::setVariantByValue(Variant& slot, const Variant& value) {
    // An object given by value is kept as a reference to that object: the
    // simplest reading of "a copy" for an object, and what the entry
    // operations need from either form.
    slot = value.dereferenced();
}

void clsReports::setVariantByReference(Variant& slot, const Variant& value) {
    Variant object = value.dereferenced();
    if (!object.isObject())
        throw ComError(BasicError::ObjectRequired);
    slot = std::move(object);
}

automation::IUnknown* clsReports::otherInterface(const automation::IID& iid) noexcept {
    return iid == automation::IID_ISupportErrorInfo ? static_cast<ISupportErrorInfo*>(this)
                                                    : nullptr;
}

HRESULT clsReports::InterfaceSupportsErrorInfo(const automation::IID& iid) {
    return iid == IID__clsReports ? automation::S_OK : automation::S_FALSE;
}

HRESULT clsReports::put_ShowPrinterDialog(VARIANT_BOOL value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    request_.showPrinterDialog = value;
    return automation::S_OK;
}
HRESULT clsReports::get_ShowPrinterDialog(VARIANT_BOOL* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readValue(request_.showPrinterDialog, value);
}
HRESULT clsReports::put_ShowHarness(VARIANT_BOOL value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    request_.showHarness = value;
    return automation::S_OK;
}
HRESULT clsReports::get_ShowHarness(VARIANT_BOOL* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readValue(request_.showHarness, value);
}
HRESULT clsReports::put_UserName(BSTR value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return writeString(request_.userName, value);
}
HRESULT clsReports::get_UserName(BSTR* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readString(request_.userName, value);
}
HRESULT clsReports::put_AppendSQL(BSTR value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return writeString(request_.appendSQL, value);
}
HRESULT clsReports::get_AppendSQL(BSTR* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readString(request_.appendSQL, value);
}
HRESULT clsReports::put_DatabaseType(BSTR value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return writeString(request_.databaseType, value);
}
HRESULT clsReports::get_DatabaseType(BSTR* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readString(request_.databaseType, value);
}
HRESULT clsReports::put_Version(BSTR value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return writeString(request_.version, value);
}
HRESULT clsReports::get_Version(BSTR* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readString(request_.version, value);
}

HRESULT clsReports::put_tvwProjects(VARIANT value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return guarded([&] { setVariantByValue(request_.tvwProjects, Variant(value)); });
}
HRESULT clsReports::putref_tvwProjects(VARIANT* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    if (!value)
        return fail(automation::E_POINTER);
    return guarded([&] { setVariantByReference(request_.tvwProjects, Variant(*value)); });
}
HRESULT clsReports::get_tvwProjects(VARIANT* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readVariant(request_.tvwProjects, value);
}
HRESULT clsReports::put_OtherParameters(VARIANT value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return guarded([&] { setVariantByValue(request_.otherParameters, Variant(value)); });
}
HRESULT clsReports::putref_OtherParameters(VARIANT* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    if (!value)
        return fail(automation::E_POINTER);
    return guarded([&] { setVariantByReference(request_.otherParameters, Variant(*value)); });
}
HRESULT clsReports::get_OtherParameters(VARIANT* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readVariant(request_.otherParameters, value);
}

HRESULT clsReports::ShowReport(VARIANT_BOOL* result) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    if (!result)
        return fail(automation::E_POINTER);
    *result = automation::VARIANT_FALSE;
    ComPtr<clsReports> keepAlive(this); // the host may drop its reference from a callback
    return guarded([&] { showReport(request_); });
}
HRESULT clsReports::PrintReport(VARIANT_BOOL* result) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    if (!result)
        return fail(automation::E_POINTER);
    *result = automation::VARIANT_FALSE;
    ComPtr<clsReports> keepAlive(this);
    return guarded([&] { printReport(request_); });
}

HRESULT clsReports::put_ReportName(BSTR value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return writeString(request_.reportName, value);
}
HRESULT clsReports::get_ReportName(BSTR* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readString(request_.reportName, value);
}
HRESULT clsReports::put_RunMode(std::int16_t value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    request_.runMode = value;
    return automation::S_OK;
}
HRESULT clsReports::get_RunMode(std::int16_t* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readValue(request_.runMode, value);
}
HRESULT clsReports::put_SQLStatement(BSTR value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return writeString(request_.sqlStatement, value);
}
HRESULT clsReports::get_SQLStatement(BSTR* value) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return readString(request_.sqlStatement, value);
}
HRESULT clsReports::put_DSN(IDispatch* connection) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    request_.dsn = ComPtr<IDispatch>(connection);
    return automation::S_OK;
}
HRESULT clsReports::get_DSN(IDispatch** connection) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    if (!connection)
        return fail(automation::E_POINTER);
    *connection = request_.dsn.addRefed();
    return automation::S_OK;
}

// The late-bound face of the same members, by the DISPIDs of the function table.
namespace {

using Self = clsReports;
constexpr auto kGet = MemberKind::Get;
constexpr auto kPut = MemberKind::Put;
constexpr auto kPutRef = MemberKind::PutRef;
constexpr auto kMethod = MemberKind::Method;

template <std::u16string clsReports::Request::*Field> Variant getText(Self& self, const Args&) {
    return Variant(std::u16string_view(self.request().*Field));
}
template <std::u16string clsReports::Request::*Field>
Variant putText(Self& self, const Args& args) {
    self.mutableRequest().*Field = args.value(0).toString16();
    return {};
}
template <VARIANT_BOOL clsReports::Request::*Field> Variant getBool(Self& self, const Args&) {
    return boolVariant(self.request().*Field);
}
template <VARIANT_BOOL clsReports::Request::*Field> Variant putBool(Self& self, const Args& args) {
    const Variant given = args.value(0);
    // A Boolean is kept exactly as given; anything else is coerced as Basic would.
    self.mutableRequest().*Field = given.type() == automation::VT_BOOL ? given.raw().boolVal
                                   : args.boolean(0)                   ? automation::VARIANT_TRUE
                                                                       : automation::VARIANT_FALSE;
    return {};
}
template <Variant clsReports::Request::*Field> Variant getVar(Self& self, const Args&) {
    return getVariant(self.request().*Field);
}
template <Variant clsReports::Request::*Field> Variant putVar(Self& self, const Args& args) {
    self.setVariantByValue(self.mutableRequest().*Field, args.value(0));
    return {};
}
template <Variant clsReports::Request::*Field> Variant putRefVar(Self& self, const Args& args) {
    self.setVariantByReference(self.mutableRequest().*Field, args.value(0));
    return {};
}

Variant getDsn(Self& self, const Args&) {
    return Variant(self.request().dsn.get());
}
Variant putDsn(Self& self, const Args& args) {
    const Variant value = args.value(0);
    if (!value.isObject() && !value.isEmpty() && !value.isNull() &&
        !(value.type() == automation::VT_DISPATCH))
        throw automation::ArgumentError{automation::DISP_E_TYPEMISMATCH, 0};
    self.mutableRequest().dsn = ComPtr<IDispatch>(value.dispatch());
    return {};
}
Variant getRunMode(Self& self, const Args&) {
    return Variant(self.request().runMode);
}
Variant putRunMode(Self& self, const Args& args) {
    self.mutableRequest().runMode = args.i2(0);
    return {};
}
Variant callShowReport(Self& self, const Args&) {
    showReport(self.request());
    return Variant(false);
}
Variant callPrintReport(Self& self, const Args&) {
    printReport(self.request());
    return Variant(false);
}

using R = clsReports::Request;
constexpr std::array<Member<Self>, 29> kMembers{{
    {"ShowPrinterDialog", dispid::ShowPrinterDialog, kPut, 1, 1, putBool<&R::showPrinterDialog>},
    {"ShowPrinterDialog", dispid::ShowPrinterDialog, kGet, 0, 0, getBool<&R::showPrinterDialog>},
    {"ShowHarness", dispid::ShowHarness, kPut, 1, 1, putBool<&R::showHarness>},
    {"ShowHarness", dispid::ShowHarness, kGet, 0, 0, getBool<&R::showHarness>},
    {"UserName", dispid::UserName, kPut, 1, 1, putText<&R::userName>},
    {"UserName", dispid::UserName, kGet, 0, 0, getText<&R::userName>},
    {"AppendSQL", dispid::AppendSQL, kPut, 1, 1, putText<&R::appendSQL>},
    {"AppendSQL", dispid::AppendSQL, kGet, 0, 0, getText<&R::appendSQL>},
    {"DatabaseType", dispid::DatabaseType, kPut, 1, 1, putText<&R::databaseType>},
    {"DatabaseType", dispid::DatabaseType, kGet, 0, 0, getText<&R::databaseType>},
    {"Version", dispid::Version, kPut, 1, 1, putText<&R::version>},
    {"Version", dispid::Version, kGet, 0, 0, getText<&R::version>},
    {"tvwProjects", dispid::tvwProjects, kPut, 1, 1, putVar<&R::tvwProjects>},
    {"tvwProjects", dispid::tvwProjects, kPutRef, 1, 1, putRefVar<&R::tvwProjects>},
    {"tvwProjects", dispid::tvwProjects, kGet, 0, 0, getVar<&R::tvwProjects>},
    {"OtherParameters", dispid::OtherParameters, kPut, 1, 1, putVar<&R::otherParameters>},
    {"OtherParameters", dispid::OtherParameters, kPutRef, 1, 1, putRefVar<&R::otherParameters>},
    {"OtherParameters", dispid::OtherParameters, kGet, 0, 0, getVar<&R::otherParameters>},
    {"ShowReport", dispid::ShowReport, kMethod, 0, 0, callShowReport},
    {"PrintReport", dispid::PrintReport, kMethod, 0, 0, callPrintReport},
    {"ReportName", dispid::ReportName, kPut, 1, 1, putText<&R::reportName>},
    {"ReportName", dispid::ReportName, kGet, 0, 0, getText<&R::reportName>},
    {"RunMode", dispid::RunMode, kPut, 1, 1, putRunMode},
    {"RunMode", dispid::RunMode, kGet, 0, 0, getRunMode},
    {"SQLStatement", dispid::SQLStatement, kPut, 1, 1, putText<&R::sqlStatement>},
    {"SQLStatement", dispid::SQLStatement, kGet, 0, 0, getText<&R::sqlStatement>},
    {"DSN", dispid::DSN, kPut, 1, 1, putDsn},
    // Basic's "Set r.DSN = conn" arrives as a put-by-reference; it stores the same reference.
    {"DSN", dispid::DSN, kPutRef, 1, 1, putDsn},
    {"DSN", dispid::DSN, kGet, 0, 0, getDsn},
}};

} // namespace

std::span<const Member<clsReports>> clsReports::members() {
    return kMembers;
}

namespace {

automation::VARTYPE valueType(automation::DISPID id) {
    switch (id) {
    case dispid::ShowPrinterDialog:
    case dispid::ShowHarness:
    case dispid::ShowReport:
    case dispid::PrintReport:
        return automation::VT_BOOL;
    case dispid::tvwProjects:
    case dispid::OtherParameters:
        return automation::VT_VARIANT;
    case dispid::RunMode:
        return automation::VT_I2;
    case dispid::DSN:
        return automation::VT_DISPATCH; // the connection interface, derived from IDispatch
    default:
        return automation::VT_BSTR;
    }
}

automation::InterfaceDescription describeInterface() {
    using namespace automation;
    InterfaceDescription d{"_clsReports",
                           IID__clsReports,
                           TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                               TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE,
                           {}};
    for (const auto& m : kMembers) {
        // Dispatch also takes Basic's Set on DSN; the interface declares the write by value only.
        if (m.id == dispid::DSN && m.kind == kPutRef)
            continue;
        d.members.push_back({m.name, m.id, m.kind, valueType(m.id)});
    }
    return d;
}

} // namespace

const automation::InterfaceDescription& clsReports::description() {
    static const automation::InterfaceDescription described = describeInterface();
    return described;
}

HRESULT clsReports::refuseOtherThreads() const noexcept {
    return std::this_thread::get_id() == owner_ ? automation::S_OK
                                                : fail(automation::RPC_E_WRONG_THREAD);
}

HRESULT clsReports::GetIDsOfNames(const automation::IID& iid, automation::OLECHAR** names,
                                  automation::UINT count, automation::LCID lcid,
                                  automation::DISPID* ids) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return DispatchObject::GetIDsOfNames(iid, names, count, lcid, ids);
}

HRESULT clsReports::Invoke(automation::DISPID id, const automation::IID& iid, automation::LCID lcid,
                           automation::WORD flags, automation::DISPPARAMS* params, VARIANT* result,
                           automation::EXCEPINFO* excepInfo, automation::UINT* argErr) {
    if (const HRESULT refused = refuseOtherThreads())
        return refused;
    return DispatchObject::Invoke(id, iid, lcid, flags, params, result, excepInfo, argErr);
}

HRESULT clsReports::GetTypeInfoCount(automation::UINT* count) {
    if (!count)
        return automation::E_POINTER;
    *count = 1;
    return automation::S_OK;
}

HRESULT clsReports::GetTypeInfo(automation::UINT index, automation::LCID,
                                automation::ITypeInfo** info) {
    if (!info)
        return automation::E_POINTER;
    *info = nullptr;
    if (index != 0)
        return automation::DISP_E_BADINDEX;
    try {
        *info = automation::makeMemberTypeInfo(description()).detach();
        return automation::S_OK;
    } catch (...) {
        return automation::currentError().code;
    }
}

} // namespace vorn
