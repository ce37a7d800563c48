// Automation variants: an owning C++ wrapper over VARIANT, the C-level copy and
// clear that count references, and coercion as OLE Automation does it.
#pragma once

#include "platform/automation/com.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn::automation {

/// Releases what `v` holds (string, object reference) and leaves it empty.
void variantClear(VARIANT* v) noexcept;
/// Deep copy: strings are duplicated, objects get a reference of their own.
/// By-reference variants are copied as references.
void variantCopy(VARIANT* dst, const VARIANT* src);
/// Like variantCopy, but a by-reference variant is copied as the value it points at.
void variantCopyInd(VARIANT* dst, const VARIANT* src);

class Variant {
public:
    Variant() noexcept : v_{} {}
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { variantClear(&v_); }

    explicit Variant(const VARIANT& raw) : v_{} { variantCopy(&v_, &raw); }
    Variant(std::int16_t value) noexcept;
    Variant(std::int32_t value) noexcept;
    Variant(double value) noexcept;
    Variant(bool value) noexcept;
    Variant(std::string_view utf8);
    Variant(const char* utf8) : Variant(std::string_view(utf8)) {}
    Variant(const std::string& utf8) : Variant(std::string_view(utf8)) {}
    Variant(std::u16string_view utf16);
    /// Holds a reference of its own to the object.
    Variant(IDispatch* object) noexcept;
    Variant(IUnknown* object) noexcept;

    static Variant null() noexcept;
    static Variant date(DATE value) noexcept;
    /// The "missing argument" marker: VT_ERROR with DISP_E_PARAMNOTFOUND.
    static Variant missing() noexcept;
    /// Takes over a VARIANT (its references included) without copying.
    static Variant adopt(VARIANT& raw) noexcept;

    VARTYPE type() const noexcept { return v_.vt; }
    bool isEmpty() const noexcept { return value().vt == VT_EMPTY; }
    bool isNull() const noexcept { return value().vt == VT_NULL; }
    bool isMissing() const noexcept;
    bool isObject() const noexcept;
    bool isByRef() const noexcept { return (v_.vt & VT_BYREF) != 0; }

    const VARIANT& raw() const noexcept { return v_; }
    /// For out parameters: clears what is held and hands out the slot.
    VARIANT* out() noexcept {
        variantClear(&v_);
        return &v_;
    }
    /// Gives the VARIANT (and its references) to the caller.
    VARIANT detach() noexcept;
    /// The value behind a by-reference variant, copied; other variants copied as they are.
    Variant dereferenced() const;

    /// The object held (behind a by-reference too), without a new reference;
    /// null when the variant holds no object.
    IDispatch* dispatch() const noexcept;
    IUnknown* unknown() const noexcept;

    // Coercions; each throws ComError with the Basic runtime error that the
    // conversion functions of the language raise (13 type mismatch, 6 overflow,
    // 94 invalid use of Null). An object converts through its default member.
    std::int16_t toI2() const;
    std::int32_t toI4() const;
    double toR8() const;
    bool toBool() const;
    DATE toDate() const;
    std::string toString() const;
    std::u16string toString16() const;

private:
    // The variant itself, or the one it points at when it is VT_BYREF|VT_VARIANT.
    const VARIANT& value() const noexcept;
    VARIANT v_;
};

} // namespace vorn::automation
