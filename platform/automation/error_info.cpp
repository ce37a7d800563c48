#include "platform/automation/error_info.h"

#include "platform/automation/bstr.h"
#include "platform/automation/com_ptr.h"
#include "platform/automation/counted_object.h"
#include "platform/automation/module_usage.h"
#include "platform/automation/thread_state.h"

namespace vorn::automation {
namespace {

class ErrorObject final : public CountedObject<IErrorInfo, IID_IErrorInfo, ErrorObject> {
public:
    ErrorObject(const IID& iid, const CaughtError& error)
        : iid_(iid), source_(error.source), description_(error.description) {}

    HRESULT GetGUID(GUID* iid) override {
        if (!iid)
            return E_POINTER;
        *iid = iid_;
        return S_OK;
    }
    HRESULT GetSource(BSTR* source) override { return copy(source_, source); }
    HRESULT GetDescription(BSTR* description) override { return copy(description_, description); }
    HRESULT GetHelpFile(BSTR* helpFile) override { return copy(std::string(), helpFile); }
    HRESULT GetHelpContext(std::uint32_t* helpContext) override {
        if (!helpContext)
            return E_POINTER;
        *helpContext = 0;
        return S_OK;
    }

    /// From here on the host holds it, and its code must stay loaded for it.
    void handedToHost() noexcept {
        if (!counted_)
            objectCreated();
        counted_ = true;
    }

private:
    friend class CountedObject<IErrorInfo, IID_IErrorInfo, ErrorObject>;
    ~ErrorObject() {
        if (counted_)
            objectDestroyed();
    }
    static HRESULT copy(const std::string& text, BSTR* out) noexcept {
        if (!out)
            return E_POINTER;
        try {
            *out = allocBstrUtf8(text);
            return S_OK;
        } catch (...) {
            *out = nullptr;
            return E_OUTOFMEMORY;
        }
    }

    IID iid_;
    std::string source_;
    std::string description_;
    bool counted_ = false;
};

// While the error waits in its slot it keeps nothing loaded; objects the host
// sets there are its own. Only one of the two pointers is set at a time.
struct Slot {
    ComPtr<ErrorObject> ours;
    ComPtr<IErrorInfo> hosts;
};
Slot& threadSlot() {
    return threadInstance<Slot>();
}

} // namespace

void setErrorInfo(IErrorInfo* info) noexcept {
    Slot& slot = threadSlot();
    slot.ours.reset();
    slot.hosts = ComPtr<IErrorInfo>(info);
}

HRESULT getErrorInfo(IErrorInfo** info) noexcept {
    if (!info)
        return E_POINTER;
    Slot& slot = threadSlot();
    if (slot.ours) {
        slot.ours->handedToHost();
        *info = slot.ours.detach();
        return S_OK;
    }
    *info = slot.hosts.detach();
    return *info ? S_OK : S_FALSE;
}

HRESULT recordError(const CaughtError& error, REFIID iid) noexcept {
    Slot& slot = threadSlot();
    slot.hosts.reset();
    try {
        slot.ours = ComPtr<ErrorObject>::adopt(new ErrorObject(iid, error));
    } catch (...) {
        slot.ours.reset(); // no memory for the record: the code alone still tells the failure
    }
    return error.code;
}

} // namespace vorn::automation
