// Where the chooser's controls stand, in twips (1440 to the inch), and how
// twips become pixels on the screen the dialog opens on.
#pragma once

#include <array>
#include <string_view>

namespace vorn::dialog {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlPlace {
    std::string_view name;
    /// The frame the position is relative to; empty for the client area.
    std::string_view frame;
    TwipRect rect;
    int tabIndex = 0;
};

inline constexpr int kClientWidth = 4920;
inline constexpr int kClientHeight = 5280;

inline constexpr std::array<ControlPlace, 10> kControlPlaces{{
    {"fraReport", "", {263, 90, 4395, 2385}, 0},
    {"lvwReports", "fraReport", {225, 270, 3885, 1995}, 1},
    {"fraPrintRange", "", {263, 2565, 4395, 1005}, 2},
    {"optSelected", "fraPrintRange", {360, 315, 2085, 195}, 4},
    {"optAll", "fraPrintRange", {360, 630, 2085, 195}, 3},
    {"fraOrientation", "", {263, 3690, 4395, 1005}, 7},
    {"optPortrait", "fraOrientation", {360, 315, 2085, 195}, 8},
    {"optLandscape", "fraOrientation", {360, 630, 2085, 195}, 9},
    {"butOK", "", {2250, 4815, 1125, 345}, 5},
    {"Command1", "", {3510, 4815, 1125, 345}, 6},
}};

/// The control's rectangle relative to the client area.
/// \throws std::out_of_range for a name not in kControlPlaces.
TwipRect clientRect(std::string_view name);

/// Pixels for a length in twips at `dotsPerInch`, rounded to the nearest pixel.
int twipsToPixels(int twips, double dotsPerInch);

} // namespace vorn::dialog
