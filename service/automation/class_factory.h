// The class factory that DllGetClassObject hands out for clsReports.
#pragma once

#include "platform/automation/com.h"

#include <atomic>

namespace vorn {

class ReportsClassFactory final : public automation::IClassFactory {
public:
    ReportsClassFactory() noexcept;
    ReportsClassFactory(const ReportsClassFactory&) = delete;
    ReportsClassFactory& operator=(const ReportsClassFactory&) = delete;

    automation::HRESULT QueryInterface(const automation::IID& iid, void** object) override;
    automation::ULONG AddRef() override;
    automation::ULONG Release() override;
    automation::HRESULT CreateInstance(automation::IUnknown* outer, const automation::IID& iid,
                                       void** object) override;
    automation::HRESULT LockServer(std::int32_t lock) override;

private:
    ~ReportsClassFactory();
    std::atomic<automation::ULONG> references_{1};
};

} // namespace vorn
