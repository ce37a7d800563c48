#include "platform/automation/late_bound.h"

#include "platform/automation/bstr.h"
#include "platform/automation/com_error.h"

#include <vector>

namespace vorn::automation {
namespace {

void requireObject(IDispatch* object) {
    if (!object)
        throw ComError(BasicError::ObjectVariableNotSet);
}

// Frees what the callee put into an EXCEPINFO and turns it into our error.
[[noreturn]] void throwFromExcepInfo(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    Bstr source = Bstr::adopt(info.bstrSource);
    Bstr description = Bstr::adopt(info.bstrDescription);
    Bstr help = Bstr::adopt(info.bstrHelpFile);
    HRESULT code = info.scode;
    if (code == 0 && info.wCode != 0)
        code = hr(0x800A0000u + info.wCode);
    if (code == 0)
        code = DISP_E_EXCEPTION;
    std::string text = description.utf8();
    if (text.empty())
        text = describe(code);
    throw ComError(code, std::move(text), source.utf8());
}

} // namespace

DISPID dispidOf(IDispatch* object, std::string_view name) {
    requireObject(object);
    Bstr wide(name);
    OLECHAR* names[] = {wide.get()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT status = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    if (failed(status))
        throw ComError(status, describe(status) + " (" + std::string(name) + ")");
    return id;
}

Variant invoke(IDispatch* object, DISPID id, WORD flags, std::span<const Variant> args) {
    requireObject(object);
    // DISPPARAMS wants the arguments last-first; the callee may not change them,
    // but its signature is not const, so they are copied.
    std::vector<VARIANT> reversed(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        reversed[args.size() - 1 - i] = args[i].raw(); // shallow: the Variants outlive the call
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO info{};
    UINT argErr = 0;
    const bool wantsResult = !(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF));
    const HRESULT status = object->Invoke(id, IID_NULL, 0, flags, &params,
                                          wantsResult ? result.out() : nullptr, &info, &argErr);
    if (status == DISP_E_EXCEPTION)
        throwFromExcepInfo(info);
    if (failed(status))
        throw ComError(status);
    return result;
}

Variant getProperty(IDispatch* object, std::string_view name, std::initializer_list<Variant> args) {
    return invoke(object, dispidOf(object, name), DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                  {args.begin(), args.size()});
}

void putProperty(IDispatch* object, std::string_view name, const Variant& value,
                 std::initializer_list<Variant> args) {
    std::vector<Variant> all(args);
    all.push_back(value);
    invoke(object, dispidOf(object, name), DISPATCH_PROPERTYPUT, all);
}

void putRefProperty(IDispatch* object, std::string_view name, const Variant& value) {
    invoke(object, dispidOf(object, name), DISPATCH_PROPERTYPUTREF, {&value, 1});
}

Variant callMethod(IDispatch* object, std::string_view name, std::initializer_list<Variant> args) {
    return invoke(object, dispidOf(object, name), DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                  {args.begin(), args.size()});
}

Variant getDefault(IDispatch* object, std::initializer_list<Variant> args) {
    return invoke(object, DISPID_VALUE, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                  {args.begin(), args.size()});
}

DISPID LateBound::id(std::string_view name) {
    for (const auto& [known, id] : names_)
        if (known == name)
            return id;
    const DISPID found = dispidOf(object_.get(), name);
    names_.emplace_back(std::string(name), found);
    return found;
}

Variant LateBound::get(std::string_view name, std::initializer_list<Variant> args) {
    return invoke(object_.get(), id(name), DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                  {args.begin(), args.size()});
}

void LateBound::put(std::string_view name, const Variant& value) {
    invoke(object_.get(), id(name), DISPATCH_PROPERTYPUT, {&value, 1});
}

void LateBound::putRef(std::string_view name, const Variant& value) {
    invoke(object_.get(), id(name), DISPATCH_PROPERTYPUTREF, {&value, 1});
}

Variant LateBound::call(std::string_view name, std::initializer_list<Variant> args) {
    return invoke(object_.get(), id(name), DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                  {args.begin(), args.size()});
}

LateBound LateBound::object(std::string_view name, std::initializer_list<Variant> args) {
    const Variant result = get(name, args);
    if (!result.dispatch())
        throw ComError(BasicError::ObjectRequired);
    return LateBound(result.dispatch());
}

} // namespace vorn::automation
