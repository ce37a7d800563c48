// The entry points of vornout.so, the only symbols it exports.
#include "platform/automation/error_info.h"
#include "platform/automation/hresult.h"
#include "platform/automation/module_usage.h"
#include "service/automation/class_factory.h"
#include "service/cls_reports_interface.h"

using namespace vorn::automation;

#define VORN_EXPORT extern "C" __attribute__((visibility("default")))

VORN_EXPORT HRESULT DllGetClassObject(const CLSID* clsid, const IID* iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!clsid || !iid)
        return E_INVALIDARG;
    if (!(*clsid == vorn::CLSID_clsReports))
        return CLASS_E_CLASSNOTAVAILABLE;
    try {
        auto* factory = new vorn::ReportsClassFactory(); // counted: Release deletes it
        const HRESULT status = factory->QueryInterface(*iid, object);
        factory->Release();
        return status;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

VORN_EXPORT HRESULT DllCanUnloadNow() {
    return moduleInUse() ? S_FALSE : S_OK;
}

// The thread's error object after a failed call through the function table,
// under the names automation hosts know. Reading it clears the slot.
VORN_EXPORT HRESULT GetErrorInfo(std::uint32_t reserved, IErrorInfo** info) {
    if (info)
        *info = nullptr;
    if (reserved != 0)
        return E_INVALIDARG;
    return getErrorInfo(info);
}

VORN_EXPORT HRESULT SetErrorInfo(std::uint32_t reserved, IErrorInfo* info) {
    if (reserved != 0)
        return E_INVALIDARG;
    setErrorInfo(info);
    return S_OK;
}
