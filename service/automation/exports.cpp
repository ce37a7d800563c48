// The entry points of vornout.so, the only symbols it exports.
#include "platform/automation/error_info.h"
#include "platform/automation/hresult.h"
#include "platform/automation/module_usage.h"
#include "platform/automation/registry/registry_file.h"
#include "service/automation/class_factory.h"
#include "service/automation/registration.h"
#include "service/cls_reports_interface.h"

#include <dlfcn.h>

#include <filesystem>

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

namespace {

// The path this module was loaded from, as registration records it.
std::string ownPath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&ownPath), &info) || !info.dli_fname)
        throw vorn::automation::ComError(E_UNEXPECTED, "The component can't find its own file.");
    return std::filesystem::absolute(info.dli_fname).lexically_normal().string();
}

template <class Action> HRESULT registration(Action action) noexcept {
    try {
        action(registryPath(), ownPath());
        setErrorInfo(nullptr);
        return S_OK;
    } catch (...) {
        return recordError(currentError(), IID_NULL);
    }
}

} // namespace

// Registration goes to the registry file of registry_file.h; a failure
// leaves its description as the thread's error object.
VORN_EXPORT HRESULT DllRegisterServer() {
    return registration(vorn::registerComponent);
}

VORN_EXPORT HRESULT DllUnregisterServer() {
    return registration(vorn::unregisterComponent);
}
