// The class factory that DllGetClassObject hands out for clsReports.
#pragma once

#include "platform/automation/com.h"
#include "platform/automation/counted_object.h"
#include "platform/automation/module_usage.h"

namespace vorn {

class ReportsClassFactory final
    : public automation::CountedObject<automation::IClassFactory, automation::IID_IClassFactory,
                                       ReportsClassFactory> {
public:
    automation::HRESULT CreateInstance(automation::IUnknown* outer, const automation::IID& iid,
                                       void** object) override;
    automation::HRESULT LockServer(std::int32_t lock) override;

private:
    friend class CountedObject;
    ~ReportsClassFactory() = default;
    // A factory the host holds keeps the module loaded, like any other object.
    automation::HostHeld hostHeld_;
};

} // namespace vorn
