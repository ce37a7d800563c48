#include "gtk_driving.h"

#include "platform/engine/printing/print_progress.h"
#include "platform/engine/printing/progress_window.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <thread>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace std::chrono_literals;

namespace {
// Longer than the watcher's pause between two looks at the window.
void letTheWatcherLookAgain() {
    std::this_thread::sleep_for(60ms);
}
} // namespace

TEST(ProgressWindow, ShowsOnceThePrintTakesAWhileAndEscapeStopsIt) {
    {
        PrintProgressOptions options;
        options.title = "Item List";
        options.windowDelay = 200ms;
        PrintProgress progress(options);
        EXPECT_TRUE(progress.update({1, LayoutProgress::kUnknown}));
        EXPECT_EQ(progress.window(), nullptr) << "a short print shows no window";

        std::this_thread::sleep_for(250ms);
        EXPECT_TRUE(progress.update({2, 10}));
        ASSERT_NE(progress.window(), nullptr);
        ProgressWindow& window = *progress.window();
        ASSERT_TRUE(pumpUntil([&] { return window.get_mapped(); }));
        EXPECT_EQ(window.get_title(), "Printing Item List");
        EXPECT_EQ(window.label().get_text(), "Page 2 of 10");
        EXPECT_DOUBLE_EQ(window.bar().get_fraction(), 0.2);

        ASSERT_TRUE(sendKey(window, GDK_KEY_Escape));
        pumpEvents();
        letTheWatcherLookAgain();
        EXPECT_FALSE(progress.update({3, 10}));
        EXPECT_TRUE(progress.cancelled());
    }
    pumpEvents();
    EXPECT_EQ(findVisibleWindow<ProgressWindow>(), nullptr);
}
