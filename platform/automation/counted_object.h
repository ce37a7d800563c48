// IUnknown for an object of the component's own that answers one interface
// besides IUnknown (error information, type information): the reference
// count starts at one for its maker, and the last Release deletes it.
#pragma once

#include "platform/automation/com.h"
#include "platform/automation/hresult.h"

#include <atomic>

namespace vorn::automation {

template <class Interface, const IID& kInterfaceId, class Derived>
class CountedObject : public Interface {
public:
    CountedObject() = default;
    CountedObject(const CountedObject&) = delete;
    CountedObject& operator=(const CountedObject&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == kInterfaceId) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }

protected:
    ~CountedObject() = default;

private:
    std::atomic<ULONG> references_{1};
};

} // namespace vorn::automation
