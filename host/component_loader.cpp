#include "host/component_loader.h"

#include "host/registered_component.h"
#include "platform/automation/com_error.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace vorn::host {

using namespace automation;

namespace {
// The class of the request object, {6B916C62-3383-11D3-89C6-00A024AC46EE}.
constexpr CLSID kClsReports = {
    0x6B916C62, 0x3383, 0x11D3, {0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46, 0xEE}};
} // namespace

Component::Component(const std::string& path) : path_(path) {
    module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module_)
        throw std::runtime_error("cannot load the component: " + std::string(dlerror()));
    getClassObject_ = reinterpret_cast<GetClassObject>(dlsym(module_, "DllGetClassObject"));
    if (!getClassObject_) {
        dlclose(module_);
        throw std::runtime_error(path + " has no DllGetClassObject");
    }
}

Component::~Component() {
    // The component keeps per-thread state and may have windows open with
    // callbacks into its code, so it stays mapped until the process ends.
}

ComPtr<IDispatch> Component::createReports() const {
    ComPtr<IClassFactory> factory;
    HRESULT status =
        getClassObject_(&kClsReports, &IID_IClassFactory, reinterpret_cast<void**>(factory.out()));
    if (failed(status))
        throw ComError(status);
    ComPtr<IDispatch> reports;
    status =
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(reports.out()));
    if (failed(status))
        throw ComError(status);
    return reports;
}

ComPtr<IDispatch> createReports() {
    if (void* registered = createRegisteredReports())
        return ComPtr<IDispatch>::adopt(static_cast<IDispatch*>(registered));
    // Loaded once and kept, as the component's windows may outlive a request.
    static const Component beside(findComponent());
    return beside.createReports();
}

std::string findComponent() {
    if (const char* given = std::getenv("VORN_COMPONENT"); given && *given)
        return given;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    const fs::path dir = self.parent_path();
    for (const fs::path& candidate :
         {dir / ".." / "component" / "vornout.so",
          dir / ".." / "lib" / "vornreports" / "vornout.so", dir / "vornout.so"})
        if (fs::exists(candidate, ec))
            return fs::weakly_canonical(candidate, ec).string();
    throw std::runtime_error("vornout.so not found beside " + self.string() +
                             "; set VORN_COMPONENT to its path");
}

} // namespace vorn::host
