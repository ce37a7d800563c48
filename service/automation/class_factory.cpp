#include "service/automation/class_factory.h"

#include "platform/automation/dispatch_object.h"
#include "platform/automation/hresult.h"
#include "platform/automation/module_usage.h"
#include "service/cls_reports.h"

namespace vorn {

using namespace automation;

HRESULT ReportsClassFactory::CreateInstance(IUnknown* outer, const IID& iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    try {
        ComPtr<clsReports> report = makeObject<clsReports>();
        return report->QueryInterface(iid, object);
    } catch (...) {
        return currentError().code;
    }
}

HRESULT ReportsClassFactory::LockServer(std::int32_t lock) {
    if (lock)
        lockModule();
    else
        unlockModule();
    return S_OK;
}

} // namespace vorn
