// Entry point of the tests that open windows: each run gets its own X server.
#include "xvfb_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // GTK ignores synthesised key events from the core pointer otherwise.
    setenv("GDK_CORE_DEVICE_EVENTS", "1", 1);
    // No accessibility bus on the test display.
    setenv("NO_AT_BRIDGE", "1", 1);
    // The file chooser keeps its settings; keep them in memory, not in dconf.
    setenv("GSETTINGS_BACKEND", "memory", 1);
    std::unique_ptr<vorn::engine::testing::XvfbDisplay> display;
    if (!::testing::GTEST_FLAG(list_tests))
        display = std::make_unique<vorn::engine::testing::XvfbDisplay>();
    return RUN_ALL_TESTS();
}
