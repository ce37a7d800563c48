// A private X server for the tests that open windows. Xvfb picks a free display
// number itself (-displayfd), so test processes running side by side never
// fight over one the way `xvfb-run -a` can.
#pragma once

#include <sys/types.h>

namespace vorn::engine::testing {

class XvfbDisplay {
public:
    /// Starts Xvfb and points DISPLAY at it; throws std::runtime_error if it
    /// does not come up.
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

private:
    pid_t pid_ = -1;
};

} // namespace vorn::engine::testing
