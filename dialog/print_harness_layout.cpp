#include "dialog/print_harness_layout.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace vorn::dialog {

namespace {
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
