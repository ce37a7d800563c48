// A font as designs name it: family, size in points, and weight.
#pragma once

#include <string>

namespace vorn::engine {

struct FontStyle {
    // The engine's default, which a control added at run time starts with:
    // Arial 10 regular.
    std::string name = "Arial";
    double size = 10.0;
    bool bold = false;

    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

} // namespace vorn::engine
