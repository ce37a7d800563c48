// Counted UTF-16 strings as they cross the automation boundary: a pointer to
// the first unit of a malloc'd block whose four bytes before the pointer hold
// the byte length, NUL-terminated. A null BSTR is the empty string.
#pragma once

#include "platform/automation/com.h"

#include <string>
#include <string_view>
#include <utility>

namespace vorn::automation {

/// \throws std::bad_alloc
BSTR allocBstr(std::u16string_view text);
BSTR allocBstrUtf8(std::string_view text);
void freeBstr(BSTR text) noexcept;
UINT bstrLength(const OLECHAR* text) noexcept; // in UTF-16 units
std::u16string_view bstrView(const OLECHAR* text) noexcept;
std::string bstrToUtf8(const OLECHAR* text);

/// Owns one BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8) : text_(allocBstrUtf8(utf8)) {}
    explicit Bstr(std::u16string_view utf16) : text_(allocBstr(utf16)) {}
    Bstr(const Bstr& other) : text_(other.text_ ? allocBstr(other.view()) : nullptr) {}
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    Bstr& operator=(Bstr other) noexcept {
        std::swap(text_, other.text_);
        return *this;
    }
    ~Bstr() { freeBstr(text_); }

    /// Takes ownership of a BSTR allocated elsewhere.
    static Bstr adopt(BSTR text) noexcept {
        Bstr b;
        b.text_ = text;
        return b;
    }

    BSTR get() const noexcept { return text_; }
    BSTR release() noexcept { return std::exchange(text_, nullptr); }
    /// For out parameters: frees what is held and hands out the slot.
    BSTR* out() noexcept {
        freeBstr(std::exchange(text_, nullptr));
        return &text_;
    }
    std::u16string_view view() const noexcept { return bstrView(text_); }
    std::string utf8() const { return bstrToUtf8(text_); }

private:
    BSTR text_ = nullptr;
};

} // namespace vorn::automation
