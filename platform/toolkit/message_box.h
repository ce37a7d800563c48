// The one message box the component shows: a modal GTK message dialog when a
// display is open, a line on standard error when none is.
#pragma once

#include <functional>
#include <string>

namespace vorn::toolkit {

/// Message box styles as the original platform numbered them.
inline constexpr int kStyleCritical = 16;

struct MessageBoxCall {
    std::string text;
    int style = 0;
    std::string title;
};

/// Shows the message and waits for the user to close it.
void msgBox(const std::string& text, int style, const std::string& title);

/// Replaces showing with a call to `observer` (nullptr restores showing); for
/// tests and for hosts that report messages their own way.
void setMessageBoxObserver(std::function<void(const MessageBoxCall&)> observer);

} // namespace vorn::toolkit
