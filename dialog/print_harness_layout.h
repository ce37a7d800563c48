// Where the chooser's controls stand, in twips (1440 to the inch), and how
// twips become pixels on the screen the dialog opens on.
#pragma once

#include <string_view>

namespace vorn::dialog {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kClientWidth = 4920;
inline constexpr int kClientHeight = 5280;

/// The control's rectangle relative to the client area.
/// \throws std::out_of_range for a name that is no control of the chooser.
TwipRect clientRect(std::string_view name);

/// Pixels for a length in twips at `dotsPerInch`, rounded to the nearest pixel.
int twipsToPixels(int twips, double dotsPerInch);

} // namespace vorn::dialog
