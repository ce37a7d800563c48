// The component's hold on GTK: it may be loaded by a host that already runs
// GTK or by one that never touches it, so GTK is started lazily, once, and
// only here, with the component's fonts registered before it reads the font
// configuration.
#pragma once

namespace vorn::toolkit {

/// Starts GTK and its C++ wrappers on first call when a display can be
/// opened; safe when the host has started GTK itself.
/// \returns whether windows can be shown.
bool displayAvailable();

/// As displayAvailable, for code that is about to show a window.
/// \throws automation::ComError E_FAIL naming the missing display.
void requireDisplay();

/// Lets pending window events run once, without waiting for new ones.
void doEvents();

} // namespace vorn::toolkit
