// Entry point of the output tests: they run with no display at all, as on a
// headless host, so none of them can lean on a window by accident.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    return RUN_ALL_TESTS();
}
