// The component's hold on GTK: it may be loaded by a host that already runs
// GTK or by one that never touches it, so GTK is initialised lazily, once.
#pragma once

namespace vorn::toolkit {

/// Initialises GTK on first call when a display can be opened.
/// \returns whether windows can be shown.
bool displayAvailable();

/// Lets pending window events run once, without waiting for new ones.
void doEvents();

} // namespace vorn::toolkit
