// Implements IUnknown and IDispatch for our own classes from a member table
// (name, DISPID, kind, handler), so every automation object of the project
// answers late-bound calls the same way: names matched case-insensitively,
// argument counts checked, and exceptions turned into DISP_E_EXCEPTION with
// EXCEPINFO filled.
#pragma once

#include "platform/automation/com_error.h"
#include "platform/automation/com_ptr.h"
#include "platform/automation/module_usage.h"
#include "platform/automation/variant.h"

#include <atomic>
#include <span>
#include <string_view>
#include <utility>

namespace vorn::automation {

enum class MemberKind : WORD {
    Method = DISPATCH_METHOD,
    Get = DISPATCH_PROPERTYGET,
    Put = DISPATCH_PROPERTYPUT,
    PutRef = DISPATCH_PROPERTYPUTREF,
};

/// The positional arguments of one Invoke, in natural order. For a put, the
/// assigned value is the last one.
class Args {
public:
    Args(const DISPPARAMS& params) : params_(params) {}
    std::size_t size() const noexcept { return params_.cArgs; }
    const VARIANT& raw(std::size_t i) const { return params_.rgvarg[params_.cArgs - 1 - i]; }
    /// The argument's value, with a by-reference taken away.
    Variant value(std::size_t i) const { return Variant(raw(i)).dereferenced(); }
    bool isMissing(std::size_t i) const { return i >= size() || Variant(raw(i)).isMissing(); }

    // Typed access; a value that does not convert is a type mismatch of that
    // argument (DISP_E_TYPEMISMATCH with its position in argErr).
    std::int16_t i2(std::size_t i) const;
    std::int32_t i4(std::size_t i) const;
    bool boolean(std::size_t i) const;
    std::string text(std::size_t i) const;

private:
    const DISPPARAMS& params_;
};

/// Raised by Args' typed accessors; Invoke reports it with the argument position.
struct ArgumentError {
    HRESULT code;
    std::size_t index; // natural order
};

template <class T> struct Member {
    const char* name;
    DISPID id;
    MemberKind kind;
    std::uint8_t minArgs;
    std::uint8_t maxArgs;
    Variant (*handler)(T& self, const Args& args);
};

namespace detail {
bool namesEqual(const OLECHAR* wide, std::string_view name) noexcept;
HRESULT reportError(EXCEPINFO* info) noexcept; // call from a catch block
HRESULT writeResult(VARIANT* result, Variant&& value) noexcept;
} // namespace detail

/// Base for our automation objects. `Interface` is IDispatch or an interface
/// derived from it; `Derived` provides `static std::span<const Member<Derived>>
/// members()` and may override `supports(iid)` for further interfaces that
/// `Interface` derives from, `otherInterface(iid)` for those of other bases.
/// An object that hosts hold carries a HostHeld member, so that it keeps its
/// module loaded; objects a module makes for itself do not.
template <class Interface, class Derived> class DispatchObject : public Interface {
public:
    DispatchObject() noexcept = default;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch ||
            static_cast<Derived*>(this)->supports(iid)) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        if (IUnknown* other = static_cast<Derived*>(this)->otherInterface(iid)) {
            *object = other;
            other->AddRef();
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

    HRESULT GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, LCID, DISPID* ids) override {
        if (!(riid == IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids || count == 0)
            return E_INVALIDARG;
        HRESULT status = S_OK;
        ids[0] = DISPID_UNKNOWN;
        for (const auto& m : Derived::members())
            if (detail::namesEqual(names[0], m.name)) {
                ids[0] = m.id;
                break;
            }
        if (ids[0] == DISPID_UNKNOWN)
            status = DISP_E_UNKNOWNNAME;
        for (UINT i = 1; i < count; ++i) { // our members take no named arguments
            ids[i] = DISPID_UNKNOWN;
            status = DISP_E_UNKNOWNNAME;
        }
        return status;
    }
    HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* info, UINT* argErr) override {
        if (!(riid == IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        if (!params)
            return E_INVALIDARG;
        const bool isPut = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
        if (params->cNamedArgs > 1 ||
            (params->cNamedArgs == 1 &&
             (!isPut || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)))
            return DISP_E_NONAMEDARGS;
        const Member<Derived>* found = nullptr;
        bool idKnown = false;
        for (const auto& m : Derived::members()) {
            if (m.id != id)
                continue;
            idKnown = true;
            if (flags & static_cast<WORD>(m.kind)) {
                // A get-or-call prefers the property form when there are both.
                if (!found || m.kind == MemberKind::Get)
                    found = &m;
            }
        }
        if (!found)
            return idKnown ? DISP_E_MEMBERNOTFOUND : DISP_E_MEMBERNOTFOUND;
        if (params->cArgs < found->minArgs)
            return DISP_E_PARAMNOTOPTIONAL;
        if (params->cArgs > found->maxArgs)
            return DISP_E_BADPARAMCOUNT;
        try {
            Variant value = found->handler(*static_cast<Derived*>(this), Args(*params));
            return detail::writeResult(result, std::move(value));
        } catch (const ArgumentError& e) {
            if (argErr)
                *argErr = static_cast<UINT>(params->cArgs - 1 - e.index);
            return e.code;
        } catch (...) {
            return detail::reportError(info);
        }
    }

    /// Further interfaces this object answers to; IUnknown and IDispatch always.
    bool supports(REFIID) const noexcept { return false; }
    /// Interfaces of further bases (an object that also derives from, say,
    /// ISupportErrorInfo): the pointer to hand out, or null.
    IUnknown* otherInterface(REFIID) noexcept { return nullptr; }

protected:
    ~DispatchObject() = default;

private:
    std::atomic<ULONG> references_{1};
};

/// Creates one of our objects; the new object's only reference goes to the result.
template <class T, class... A> ComPtr<T> makeObject(A&&... args) {
    return ComPtr<T>::adopt(new T(std::forward<A>(args)...));
}

} // namespace vorn::automation
