// The component's one public interface as hosts bind to it: `_clsReports`, a
// dual interface whose function table continues IDispatch's seven entries with
// the members below, in this order. Reads and methods deliver their value
// through a final out pointer; writes take it as an in parameter.
#pragma once

#include "platform/automation/com.h"

namespace vorn {

using automation::BSTR;
using automation::HRESULT;
using automation::IDispatch;
using automation::VARIANT;
using automation::VARIANT_BOOL;

inline constexpr automation::IID IID__clsReports = {
    0x6B916C61, 0x3383, 0x11D3, {0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46, 0xEE}};
inline constexpr automation::CLSID CLSID_clsReports = {
    0x6B916C62, 0x3383, 0x11D3, {0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46, 0xEE}};
inline constexpr automation::GUID LIBID_VornReports = {
    0x6B916C5D, 0x3383, 0x11D3, {0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46, 0xEE}};

namespace dispid {
inline constexpr automation::DISPID DSN = 0x68030000;
inline constexpr automation::DISPID SQLStatement = 0x68030001;
inline constexpr automation::DISPID RunMode = 0x68030002;
inline constexpr automation::DISPID ReportName = 0x68030003;
inline constexpr automation::DISPID OtherParameters = 0x68030005;
inline constexpr automation::DISPID tvwProjects = 0x68030006;
inline constexpr automation::DISPID Version = 0x68030007;
inline constexpr automation::DISPID DatabaseType = 0x68030008;
inline constexpr automation::DISPID AppendSQL = 0x68030009;
inline constexpr automation::DISPID UserName = 0x6803000A;
inline constexpr automation::DISPID ShowHarness = 0x6803000B;
inline constexpr automation::DISPID ShowPrinterDialog = 0x6803000C;
inline constexpr automation::DISPID ShowReport = 0x6003000D;
inline constexpr automation::DISPID PrintReport = 0x6003000E;
} // namespace dispid

// NOLINTNEXTLINE(readability-identifier-naming): the interface's published name
struct _clsReports : IDispatch {
    virtual HRESULT put_ShowPrinterDialog(VARIANT_BOOL value) = 0;
    virtual HRESULT get_ShowPrinterDialog(VARIANT_BOOL* value) = 0;
    virtual HRESULT put_ShowHarness(VARIANT_BOOL value) = 0;
    virtual HRESULT get_ShowHarness(VARIANT_BOOL* value) = 0;
    virtual HRESULT put_UserName(BSTR value) = 0;
    virtual HRESULT get_UserName(BSTR* value) = 0;
    virtual HRESULT put_AppendSQL(BSTR value) = 0;
    virtual HRESULT get_AppendSQL(BSTR* value) = 0;
    virtual HRESULT put_DatabaseType(BSTR value) = 0;
    virtual HRESULT get_DatabaseType(BSTR* value) = 0;
    virtual HRESULT put_Version(BSTR value) = 0;
    virtual HRESULT get_Version(BSTR* value) = 0;
    virtual HRESULT put_tvwProjects(VARIANT value) = 0;
    virtual HRESULT putref_tvwProjects(VARIANT* value) = 0;
    virtual HRESULT get_tvwProjects(VARIANT* value) = 0;
    virtual HRESULT put_OtherParameters(VARIANT value) = 0;
    virtual HRESULT putref_OtherParameters(VARIANT* value) = 0;
    virtual HRESULT get_OtherParameters(VARIANT* value) = 0;
    virtual HRESULT ShowReport(VARIANT_BOOL* result) = 0;
    virtual HRESULT PrintReport(VARIANT_BOOL* result) = 0;
    virtual HRESULT put_ReportName(BSTR value) = 0;
    virtual HRESULT get_ReportName(BSTR* value) = 0;
    virtual HRESULT put_RunMode(std::int16_t value) = 0;
    virtual HRESULT get_RunMode(std::int16_t* value) = 0;
    virtual HRESULT put_SQLStatement(BSTR value) = 0;
    virtual HRESULT get_SQLStatement(BSTR* value) = 0;
    virtual HRESULT put_DSN(IDispatch* connection) = 0;
    virtual HRESULT get_DSN(IDispatch** connection) = 0;
};

} // namespace vorn
