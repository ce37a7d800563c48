#include "host/registered_component.h"

#include "platform/automation/com_error.h"

#include <dlfcn.h>

#include <cstdlib>
#include <memory>

// Last: its status codes are macros.
#include "vornreports/vornreports.h"

namespace vorn::host {
namespace {

// The description a failed call left, from `read` (VornGetErrorInfo or a
// module's own GetErrorInfo).
template <class Read> std::string lastDescription(Read read) {
    IErrorInfo* info = nullptr;
    if (read(0, &info) != S_OK || !info)
        return {};
    BSTR text = nullptr;
    info->lpVtbl->GetDescription(info, &text);
    info->lpVtbl->Release(info);
    const std::unique_ptr<char, decltype(&std::free)> utf8(VornStringToUtf8(text), &std::free);
    VornSysFreeString(text);
    return utf8 ? utf8.get() : "";
}

[[noreturn]] void fail(HRESULT code, std::string description) {
    if (description.empty())
        throw automation::ComError(code);
    throw automation::ComError(code, std::move(description));
}

} // namespace

void* createRegisteredReports() {
    CLSID clsid;
    const HRESULT found = VornCLSIDFromProgID("VornReports.clsReports", &clsid);
    if (found == CO_E_CLASSSTRING)
        return nullptr;
    if (VORN_FAILED(found))
        fail(found, lastDescription(VornGetErrorInfo));
    void* reports = nullptr;
    const HRESULT made =
        VornCoCreateInstance(&clsid, nullptr, VORN_CLSCTX_INPROC_SERVER, &IID_IDispatch, &reports);
    if (VORN_FAILED(made))
        fail(made, lastDescription(VornGetErrorInfo));
    return reports;
}

void registerComponentAt(const std::string& path, bool unregister) {
    // Loaded for the one call; registration keeps nothing of the component alive.
    struct Close {
        void operator()(void* handle) const { dlclose(handle); }
    };
    const std::unique_ptr<void, Close> module(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!module)
        fail(CO_E_DLLNOTFOUND, "Can't load " + path + ": " + dlerror());
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto* call = reinterpret_cast<HRESULT (*)()>(dlsym(module.get(), entry));
    auto* errors =
        reinterpret_cast<HRESULT (*)(uint32_t, IErrorInfo**)>(dlsym(module.get(), "GetErrorInfo"));
    if (!call || !errors)
        fail(CO_E_ERRORINDLL, path + " has no " + entry + ".");
    const HRESULT status = call();
    if (VORN_FAILED(status))
        fail(status, lastDescription(errors));
}

} // namespace vorn::host
