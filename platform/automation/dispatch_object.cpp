#include "platform/automation/dispatch_object.h"

#include "platform/automation/ascii_case.h"
#include "platform/automation/bstr.h"

#include <cctype>

namespace vorn::automation {
namespace detail {

bool namesEqual(const OLECHAR* wide, std::string_view name) noexcept {
    if (!wide)
        return name.empty();
    std::size_t i = 0;
    for (; wide[i] != 0; ++i) {
        if (i >= name.size())
            return false;
        const char16_t a = wide[i];
        const auto b = static_cast<unsigned char>(name[i]);
        if (a > 0x7F) // member names are ASCII
            return false;
        if (asciiLower(static_cast<char>(a)) != asciiLower(static_cast<char>(b)))
            return false;
    }
    return i == name.size();
}

HRESULT reportError(EXCEPINFO* info) noexcept {
    const CaughtError error = currentError();
    if (!info)
        return error.code;
    *info = EXCEPINFO{};
    info->scode = error.code;
    try {
        info->bstrSource = allocBstrUtf8(error.source);
        info->bstrDescription = allocBstrUtf8(error.description);
    } catch (...) {
        freeBstr(info->bstrSource);
        info->bstrSource = nullptr;
        return E_OUTOFMEMORY;
    }
    return DISP_E_EXCEPTION;
}

HRESULT writeResult(VARIANT* result, Variant&& value) noexcept {
    if (result) {
        VARIANT raw = value.detach();
        *result = raw; // the caller's slot is uninitialised or empty by contract
    }
    return S_OK;
}

} // namespace detail

namespace {
template <class F> auto converted(const Args& args, std::size_t i, F convert) {
    try {
        return convert(args.value(i));
    } catch (const ComError&) {
        throw ArgumentError{DISP_E_TYPEMISMATCH, i};
    }
}
} // namespace

std::int16_t Args::i2(std::size_t i) const {
    return converted(*this, i, [](const Variant& v) { return v.toI2(); });
}
std::int32_t Args::i4(std::size_t i) const {
    return converted(*this, i, [](const Variant& v) { return v.toI4(); });
}
bool Args::boolean(std::size_t i) const {
    return converted(*this, i, [](const Variant& v) { return v.toBool(); });
}
std::string Args::text(std::size_t i) const {
    return converted(*this, i, [](const Variant& v) { return v.toString(); });
}

} // namespace vorn::automation
