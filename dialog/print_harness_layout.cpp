#include "dialog/print_harness_layout.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace vorn::dialog {

namespace {

struct ControlPlace {
    std::string_view name;
    /// The frame the position is relative to; empty for the client area.
    std::string_view frame;
    TwipRect rect;
};

constexpr std::array<ControlPlace, 10> kControlPlaces{{
    {"fraReport", "", {263, 90, 4395, 2385}},
    {"lvwReports", "fraReport", {225, 270, 3885, 1995}},
    {"fraPrintRange", "", {263, 2565, 4395, 1005}},
    {"optSelected", "fraPrintRange", {360, 315, 2085, 195}},
    {"optAll", "fraPrintRange", {360, 630, 2085, 195}},
    {"fraOrientation", "", {263, 3690, 4395, 1005}},
    {"optPortrait", "fraOrientation", {360, 315, 2085, 195}},
    {"optLandscape", "fraOrientation", {360, 630, 2085, 195}},
    {"butOK", "", {2250, 4815, 1125, 345}},
    {"Command1", "", {3510, 4815, 1125, 345}},
}};

const ControlPlace& place(std::string_view name) {
    for (const ControlPlace& control : kControlPlaces)
        if (control.name == name)
            return control;
    throw std::out_of_range("The chooser has no control " + std::string(name));
}
} // namespace

TwipRect clientRect(std::string_view name) {
    const ControlPlace& control = place(name);
    TwipRect rect = control.rect;
    if (!control.frame.empty()) {
        const TwipRect frame = place(control.frame).rect;
        rect.left += frame.left;
        rect.top += frame.top;
    }
    return rect;
}

int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

} // namespace vorn::dialog
