// Loads vornout.so the way any host would: dlopen, DllGetClassObject, the
// class factory; the host then talks to clsReports late-bound only.
#pragma once

#include "platform/automation/com_ptr.h"

#include <memory>
#include <string>

namespace vorn::host {

class Component {
public:
    /// \throws std::runtime_error when the file can't be loaded or lacks the entry points.
    explicit Component(const std::string& path);
    ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    /// A new clsReports through the component's class factory.
    /// \throws automation::ComError with the factory's code.
    automation::ComPtr<automation::IDispatch> createReports() const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    void* module_ = nullptr;
    using GetClassObject = automation::HRESULT (*)(const automation::CLSID*, const automation::IID*,
                                                   void**);
    GetClassObject getClassObject_ = nullptr;
};

/// A new clsReports: by its programmatic identifier when the component is
/// registered, else from the component that findComponent() names.
/// \throws automation::ComError, std::runtime_error
automation::ComPtr<automation::IDispatch> createReports();

/// Where the component is: $VORN_COMPONENT, else beside this program in the
/// build tree (../component/vornout.so) or the installed tree
/// (../lib/vornreports/vornout.so).
std::string findComponent();

} // namespace vorn::host
