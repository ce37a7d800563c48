// Runs with no display at all, as on a headless host: whatever needs a window
// fails with a clear error, and printing into a file still works.
#include "fake_page_document.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/preview/preview_registry.h"
#include "platform/engine/printing/print_progress.h"
#include "platform/engine/printing/printing.h"
#include "tests/support/error_code.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

TEST(WithoutDisplay, WindowsFailNamingTheDisplayAndPrintingIntoAFileStillWorks) {
    std::string message;
    EXPECT_EQ(
        codeOf(
            [] {
                showPreview(std::make_shared<FakePageDocument>(2), PreviewOptions{"list", {}, {}});
            },
            &message),
        error_code::kFail);
    EXPECT_NE(message.find("no display"), std::string::npos);

    TempFolder folder;
    PrintOptions options;
    options.printFile = folder.file("printed.pdf");
    options.showPrinterDialog = true;
    EXPECT_EQ(codeOf([&] { print(FakePageDocument(2), options); }), error_code::kFail);
    EXPECT_FALSE(std::filesystem::exists(options.printFile));
    options.showPrinterDialog = false;
    print(FakePageDocument(2), options);
    EXPECT_EQ(pdfInfo(options.printFile)["Pages"], "2");

    // A long print has no progress window to show, and goes on.
    PrintProgressOptions watch;
    watch.windowDelay = {};
    PrintProgress progress(watch);
    EXPECT_TRUE(progress.update({2, 2}));
    EXPECT_EQ(progress.window(), nullptr);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    return RUN_ALL_TESTS();
}
