// One column value of a generated row, typed as SQLite stores it.
#pragma once

#include <cstdint>
#include <string_view>

namespace vorn::host {

struct SampleValue {
    enum class Kind : std::uint8_t { Null, Integer, Real, Text };

    Kind kind = Kind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view text; // not owned

    static SampleValue null() { return {}; }
    static SampleValue of(std::int64_t value) { return {Kind::Integer, value, 0, {}}; }
    static SampleValue ofReal(double value) { return {Kind::Real, 0, value, {}}; }
    static SampleValue of(std::string_view value) { return {Kind::Text, 0, 0, value}; }
};

} // namespace vorn::host
