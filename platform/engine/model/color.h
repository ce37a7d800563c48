// An opaque colour of a control's text or background.
#pragma once

#include <cstdint>

namespace vorn::engine {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    static constexpr Color black() { return {0, 0, 0}; }
    static constexpr Color white() { return {255, 255, 255}; }
    static constexpr Color silver() { return {192, 192, 192}; }

    friend bool operator==(const Color&, const Color&) = default;
};

} // namespace vorn::engine
