// libvornhost: creation by name for hosts. It reads the registry that the
// component's DllRegisterServer writes, loads the in-process server named
// there once per process, and unloads it again when the server allows.
#include "platform/automation/bstr.h"
#include "platform/automation/com_error.h"
#include "platform/automation/error_info.h"
#include "platform/automation/guid_text.h"
#include "platform/automation/registry/registry_file.h"

// Last: its status codes are macros, which would rewrite the constants of the
// headers above.
#include "vornreports/vornreports.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <list>
#include <mutex>
#include <string>

namespace {

namespace automation = vorn::automation;

using GetClassObject = HRESULT (*)(const CLSID*, const IID*, void**);
using CanUnloadNow = HRESULT (*)();
using GetErrorInfoEntry = HRESULT (*)(uint32_t, IErrorInfo**);

struct Server {
    std::string path;
    void* module;
    GetClassObject getClassObject;
    CanUnloadNow canUnloadNow;
    GetErrorInfoEntry getErrorInfo; // may be missing
};

// Loaded servers. The lock covers the list and a server's class factory
// lookup, so that no server is unloaded between loading it and holding its
// factory; calls that may reach the host's objects are made outside it.
std::mutex serversLock;
std::list<Server> servers;

automation::GUID toAutomation(const GUID& g) {
    automation::GUID out;
    std::memcpy(&out, &g, sizeof out);
    return out;
}

// A failure of the host library itself: its description waits in this
// library's own error slot for VornGetErrorInfo.
HRESULT fail(HRESULT code, const std::string& description) noexcept {
    return automation::recordError({code, description, "VornReports host"}, automation::IID_NULL);
}

HRESULT failFromCatch() noexcept {
    auto error = automation::currentError();
    error.source = "VornReports host";
    return automation::recordError(error, automation::IID_NULL);
}

// Without a place for a registry (no VORN_REGISTRY, XDG_DATA_HOME or HOME)
// nothing is registered, which is no error for a host.
automation::RegistryDocument registry() {
    std::string path;
    try {
        path = automation::registryPath();
    } catch (const automation::ComError&) {
        return {};
    }
    return automation::readRegistry(path);
}

std::string classKey(const CLSID& clsid) {
    return "HKEY_CLASSES_ROOT\\CLSID\\" + automation::guidText(toAutomation(clsid));
}

// The server for `path`, loaded now if it is not yet. Null after fail().
// Call with serversLock held.
const Server* load(const std::string& path, HRESULT& status) {
    for (const Server& server : servers)
        if (server.path == path)
            return &server;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        status = fail(CO_E_DLLNOTFOUND, "Can't load " + path + ": " + dlerror());
        return nullptr;
    }
    Server server{path, module,
                  reinterpret_cast<GetClassObject>(dlsym(module, "DllGetClassObject")),
                  reinterpret_cast<CanUnloadNow>(dlsym(module, "DllCanUnloadNow")),
                  reinterpret_cast<GetErrorInfoEntry>(dlsym(module, "GetErrorInfo"))};
    if (!server.getClassObject || !server.canUnloadNow) {
        dlclose(module);
        status = fail(CO_E_ERRORINDLL, path + " lacks DllGetClassObject or DllCanUnloadNow.");
        return nullptr;
    }
    return &servers.emplace_back(std::move(server));
}

} // namespace

#define VORN_HOST_EXPORT extern "C" __attribute__((visibility("default")))

VORN_HOST_EXPORT HRESULT VornCLSIDFromProgID(const char* progId, CLSID* clsid) {
    if (!progId || !clsid)
        return E_INVALIDARG;
    automation::setErrorInfo(nullptr);
    try {
        const auto document = registry();
        const auto text =
            document.string("HKEY_CLASSES_ROOT\\" + std::string(progId) + "\\Clsid", "");
        const auto parsed = text ? automation::parseGuid(*text) : std::nullopt;
        if (!parsed)
            return fail(CO_E_CLASSSTRING, std::string(progId) + " is not registered.");
        std::memcpy(clsid, &*parsed, sizeof *clsid);
        return S_OK;
    } catch (...) {
        return failFromCatch();
    }
}

VORN_HOST_EXPORT HRESULT VornCoGetClassObject(const CLSID* clsid, uint32_t context, const IID* iid,
                                              void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!clsid || !iid)
        return E_INVALIDARG;
    automation::setErrorInfo(nullptr);
    try {
        const std::string key = classKey(*clsid);
        const auto path = registry().string(key + "\\InprocServer32", "");
        if (!(context & VORN_CLSCTX_INPROC_SERVER) || !path || path->empty())
            return fail(REGDB_E_CLASSNOTREG,
                        "No in-process server is registered under " + key + ".");
        const std::lock_guard lock(serversLock);
        HRESULT status = S_OK;
        const Server* server = load(*path, status);
        return server ? server->getClassObject(clsid, iid, object) : status;
    } catch (...) {
        return failFromCatch();
    }
}

VORN_HOST_EXPORT HRESULT VornCoCreateInstance(const CLSID* clsid, IUnknown* outer, uint32_t context,
                                              const IID* iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!clsid || !iid)
        return E_INVALIDARG;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    IClassFactory* factory = nullptr;
    const HRESULT status = VornCoGetClassObject(clsid, context, &IID_IClassFactory,
                                                reinterpret_cast<void**>(&factory));
    if (VORN_FAILED(status))
        return status;
    const HRESULT made = factory->lpVtbl->CreateInstance(factory, nullptr, iid, object);
    factory->lpVtbl->Release(factory);
    return made;
}

VORN_HOST_EXPORT void VornCoFreeUnusedLibraries(void) {
    // Unloading releases what the server's per-thread state holds, host
    // objects among them, which may call back in here: close outside the lock.
    std::list<Server> unused;
    {
        const std::lock_guard lock(serversLock);
        for (auto it = servers.begin(); it != servers.end();) {
            const auto next = std::next(it);
            if (it->canUnloadNow() == S_OK)
                unused.splice(unused.end(), servers, it);
            it = next;
        }
    }
    for (const Server& server : unused)
        dlclose(server.module);
}

VORN_HOST_EXPORT HRESULT VornGetErrorInfo(uint32_t reserved, IErrorInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (reserved != 0)
        return E_INVALIDARG;
    automation::IErrorInfo* own = nullptr;
    if (automation::getErrorInfo(&own) == S_OK) {
        *info = reinterpret_cast<IErrorInfo*>(own);
        return S_OK;
    }
    const std::lock_guard lock(serversLock);
    for (const Server& server : servers)
        if (server.getErrorInfo && server.getErrorInfo(0, info) == S_OK && *info)
            return S_OK;
    return S_FALSE;
}

VORN_HOST_EXPORT BSTR VornSysAllocStringUtf8(const char* text) {
    try {
        return reinterpret_cast<BSTR>(automation::allocBstrUtf8(text ? text : ""));
    } catch (...) {
        return nullptr;
    }
}

VORN_HOST_EXPORT void VornSysFreeString(BSTR text) {
    automation::freeBstr(reinterpret_cast<automation::BSTR>(text));
}

VORN_HOST_EXPORT UINT VornSysStringLen(BSTR text) {
    return automation::bstrLength(reinterpret_cast<const automation::OLECHAR*>(text));
}

VORN_HOST_EXPORT char* VornStringToUtf8(BSTR text) {
    try {
        const std::string utf8 =
            automation::bstrToUtf8(reinterpret_cast<const automation::OLECHAR*>(text));
        char* copy = static_cast<char*>(std::malloc(utf8.size() + 1));
        if (copy)
            std::memcpy(copy, utf8.c_str(), utf8.size() + 1);
        return copy;
    } catch (...) {
        return nullptr;
    }
}
