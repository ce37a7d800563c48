#include "platform/automation/variant.h"

#include "platform/automation/ascii_case.h"
#include "platform/automation/bstr.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "platform/automation/ole_date.h"
#include "platform/automation/utf.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

namespace vorn::automation {
namespace {

// A borrowed, shallow view of the value a variant holds, with VT_BYREF taken away.
VARIANT plain(const VARIANT& v) {
    if (!(v.vt & VT_BYREF))
        return v;
    const VARTYPE t = v.vt & VT_TYPEMASK;
    VARIANT out{};
    out.vt = t;
    switch (t) {
    case VT_VARIANT:
        return plain(*v.pvarVal);
    case VT_I2:
        out.iVal = *v.piVal;
        break;
    case VT_I4:
        out.lVal = *v.plVal;
        break;
    case VT_R8:
        out.dblVal = *v.pdblVal;
        break;
    case VT_DATE:
        out.date = *v.pdate;
        break;
    case VT_BOOL:
        out.boolVal = *v.pboolVal;
        break;
    case VT_ERROR:
        out.scode = *v.pscode;
        break;
    case VT_BSTR:
        out.bstrVal = *v.pbstrVal;
        break;
    case VT_DISPATCH:
        out.pdispVal = *v.ppdispVal;
        break;
    case VT_UNKNOWN:
        out.punkVal = *v.ppunkVal;
        break;
    default:
        throw ComError(DISP_E_BADVARTYPE);
    }
    return out;
}

[[noreturn]] void typeMismatch() {
    throw ComError(BasicError::TypeMismatch);
}

std::string trimmed(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return std::string(s.substr(a, b - a));
}

// Number text as the language reads it: decimal with optional exponent, or
// &H / &O prefixed hexadecimal and octal; blanks around are allowed.
double parseNumber(const OLECHAR* bstr) {
    const std::string text = trimmed(bstrToUtf8(bstr));
    if (text.empty())
        typeMismatch();
    if (text.size() > 2 && text[0] == '&') {
        const char kind = asciiUpper(text[1]);
        const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
        if (base) {
            char* end = nullptr;
            errno = 0;
            const long long v = std::strtoll(text.c_str() + 2, &end, base);
            if (*end || errno)
                typeMismatch();
            return static_cast<double>(v);
        }
    }
    const char first = text[0];
    if (!(std::isdigit(static_cast<unsigned char>(first)) || first == '-' || first == '+' ||
          first == '.'))
        typeMismatch(); // strtod would also take "inf" and "nan"
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end)
        typeMismatch();
    if (!std::isfinite(v))
        throw ComError(BasicError::Overflow);
    return v;
}

Variant defaultValueOf(IDispatch* object) {
    if (!object)
        throw ComError(BasicError::ObjectVariableNotSet);
    return getDefault(object);
}

double toDouble(const VARIANT& raw) {
    const VARIANT v = plain(raw);
    switch (v.vt) {
    case VT_EMPTY:
        return 0;
    case VT_NULL:
        throw ComError(BasicError::InvalidUseOfNull);
    case VT_I2:
        return v.iVal;
    case VT_I4:
        return v.lVal;
    case VT_R4:
        return v.fltVal;
    case VT_R8:
        return v.dblVal;
    case VT_DATE:
        return v.date;
    case VT_BOOL:
        return v.boolVal ? -1 : 0;
    case VT_BSTR:
        return parseNumber(v.bstrVal);
    case VT_DISPATCH:
        return defaultValueOf(v.pdispVal).toR8();
    default:
        typeMismatch();
    }
}

template <class Int> Int roundToInt(double value) {
    // The language rounds halves to the even neighbour: the default FP mode.
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max()))
        throw ComError(BasicError::Overflow);
    return static_cast<Int>(r);
}

std::string formatDouble(double d) {
    if (d == 0)
        return "0";
    char text[40];
    std::snprintf(text, sizeof text, "%.15G", d);
    return text;
}

} // namespace

void variantClear(VARIANT* v) noexcept {
    if (!v)
        return;
    if (!(v->vt & VT_BYREF)) {
        switch (v->vt) {
        case VT_BSTR:
            freeBstr(v->bstrVal);
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (v->punkVal)
                v->punkVal->Release();
            break;
        default:
            break;
        }
    }
    *v = VARIANT{};
}

void variantCopy(VARIANT* dst, const VARIANT* src) {
    if (dst == src)
        return;
    VARIANT copy = *src;
    if (!(src->vt & VT_BYREF)) {
        switch (src->vt) {
        case VT_BSTR:
            copy.bstrVal = src->bstrVal ? allocBstr(bstrView(src->bstrVal)) : nullptr;
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (src->punkVal)
                src->punkVal->AddRef();
            break;
        default:
            break;
        }
    }
    variantClear(dst);
    *dst = copy;
}

void variantCopyInd(VARIANT* dst, const VARIANT* src) {
    const VARIANT value = plain(*src);
    variantCopy(dst, &value);
}

Variant::Variant(const Variant& other) : v_{} {
    variantCopy(&v_, &other.v_);
}
Variant::Variant(Variant&& other) noexcept : v_(std::exchange(other.v_, VARIANT{})) {}
Variant& Variant::operator=(const Variant& other) {
    if (this != &other) {
        Variant copy(other);
        std::swap(v_, copy.v_);
    }
    return *this;
}
Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        variantClear(&v_);
        v_ = std::exchange(other.v_, VARIANT{});
    }
    return *this;
}

Variant::Variant(std::int16_t value) noexcept : v_{} {
    v_.vt = VT_I2;
    v_.iVal = value;
}
Variant::Variant(std::int32_t value) noexcept : v_{} {
    v_.vt = VT_I4;
    v_.lVal = value;
}
Variant::Variant(double value) noexcept : v_{} {
    v_.vt = VT_R8;
    v_.dblVal = value;
}
Variant::Variant(bool value) noexcept : v_{} {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}
Variant::Variant(std::string_view utf8) : v_{} {
    v_.bstrVal = allocBstrUtf8(utf8);
    v_.vt = VT_BSTR;
}
Variant::Variant(std::u16string_view utf16) : v_{} {
    v_.bstrVal = allocBstr(utf16);
    v_.vt = VT_BSTR;
}
Variant::Variant(IDispatch* object) noexcept : v_{} {
    v_.vt = VT_DISPATCH;
    v_.pdispVal = object;
    if (object)
        object->AddRef();
}
Variant::Variant(IUnknown* object) noexcept : v_{} {
    v_.vt = VT_UNKNOWN;
    v_.punkVal = object;
    if (object)
        object->AddRef();
}

Variant Variant::null() noexcept {
    Variant v;
    v.v_.vt = VT_NULL;
    return v;
}
Variant Variant::date(DATE value) noexcept {
    Variant v;
    v.v_.vt = VT_DATE;
    v.v_.date = value;
    return v;
}
Variant Variant::missing() noexcept {
    Variant v;
    v.v_.vt = VT_ERROR;
    v.v_.scode = DISP_E_PARAMNOTFOUND;
    return v;
}
Variant Variant::adopt(VARIANT& raw) noexcept {
    Variant v;
    v.v_ = std::exchange(raw, VARIANT{});
    return v;
}

bool Variant::isMissing() const noexcept {
    const VARIANT& v = value();
    return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND;
}

bool Variant::isObject() const noexcept {
    const VARTYPE t = v_.vt & VT_TYPEMASK;
    if (t == VT_VARIANT && (v_.vt & VT_BYREF))
        return Variant(*v_.pvarVal).isObject();
    return (t == VT_DISPATCH || t == VT_UNKNOWN) && unknown() != nullptr;
}

const VARIANT& Variant::value() const noexcept {
    if (v_.vt == (VT_BYREF | VT_VARIANT) && v_.pvarVal)
        return *v_.pvarVal;
    return v_;
}

VARIANT Variant::detach() noexcept {
    return std::exchange(v_, VARIANT{});
}

Variant Variant::dereferenced() const {
    Variant out;
    variantCopyInd(&out.v_, &v_);
    return out;
}

IDispatch* Variant::dispatch() const noexcept {
    const VARIANT& v = value();
    if (v.vt == VT_DISPATCH)
        return v.pdispVal;
    if (v.vt == (VT_BYREF | VT_DISPATCH))
        return v.ppdispVal ? *v.ppdispVal : nullptr;
    return nullptr;
}

IUnknown* Variant::unknown() const noexcept {
    const VARIANT& v = value();
    switch (v.vt) {
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return v.punkVal;
    case VT_BYREF | VT_DISPATCH:
    case VT_BYREF | VT_UNKNOWN:
        return v.ppunkVal ? *v.ppunkVal : nullptr;
    default:
        return nullptr;
    }
}

std::int16_t Variant::toI2() const {
    return roundToInt<std::int16_t>(toDouble(v_));
}
std::int32_t Variant::toI4() const {
    return roundToInt<std::int32_t>(toDouble(v_));
}
double Variant::toR8() const {
    return toDouble(v_);
}

bool Variant::toBool() const {
    const VARIANT v = plain(v_);
    if (v.vt == VT_BSTR) {
        const std::string text = trimmed(bstrToUtf8(v.bstrVal));
        if (asciiEqualNoCase(text, "True") || asciiEqualNoCase(text, "#TRUE#"))
            return true;
        if (asciiEqualNoCase(text, "False") || asciiEqualNoCase(text, "#FALSE#"))
            return false;
    }
    return toDouble(v) != 0;
}

DATE Variant::toDate() const {
    const VARIANT v = plain(v_);
    if (v.vt == VT_BSTR) {
        if (auto d = parseDate(bstrToUtf8(v.bstrVal)))
            return *d;
        typeMismatch();
    }
    if (v.vt == VT_DISPATCH)
        return defaultValueOf(v.pdispVal).toDate();
    return toDouble(v);
}

std::string Variant::toString() const {
    const VARIANT v = plain(v_);
    switch (v.vt) {
    case VT_EMPTY:
        return {};
    case VT_NULL:
        throw ComError(BasicError::InvalidUseOfNull);
    case VT_I2:
        return std::to_string(v.iVal);
    case VT_I4:
        return std::to_string(v.lVal);
    case VT_R4:
        return formatDouble(v.fltVal);
    case VT_R8:
        return formatDouble(v.dblVal);
    case VT_DATE:
        return formatGeneralDate(v.date);
    case VT_BOOL:
        return v.boolVal ? "True" : "False";
    case VT_BSTR:
        return bstrToUtf8(v.bstrVal);
    case VT_DISPATCH:
        return defaultValueOf(v.pdispVal).toString();
    default:
        typeMismatch();
    }
}

std::u16string Variant::toString16() const {
    const VARIANT v = plain(v_);
    if (v.vt == VT_BSTR)
        return std::u16string(bstrView(v.bstrVal));
    return toUtf16(toString());
}

} // namespace vorn::automation
