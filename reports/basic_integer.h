// The 16-bit integer arithmetic of the report code: a result outside
// -32768..32767 is an overflow error, as it always was.
#pragma once

#include "platform/automation/com_error.h"

#include <cstdint>

namespace vorn::reports {

class Int16 {
public:
    constexpr Int16(std::int16_t value = 0) : value_(value) {}
    constexpr std::int16_t value() const { return value_; }

    friend Int16 operator+(Int16 a, Int16 b) { return checked(std::int32_t{a.value_} + b.value_); }
    friend Int16 operator*(Int16 a, Int16 b) { return checked(std::int32_t{a.value_} * b.value_); }
    friend Int16 operator+(Int16 a, int b) { return a + Int16(narrow(b)); }
    friend bool operator<=(Int16 a, Int16 b) { return a.value_ <= b.value_; }

private:
    static std::int16_t narrow(int v) {
        if (v < INT16_MIN || v > INT16_MAX)
            throw automation::ComError(automation::BasicError::Overflow);
        return static_cast<std::int16_t>(v);
    }
    static Int16 checked(std::int32_t v) { return Int16(narrow(v)); }
    std::int16_t value_;
};

} // namespace vorn::reports
