// Runs with no display at all, as on a headless host: whatever needs a window
// fails with a clear error, and printing into a file still works.
#include "fake_page_document.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/scoped_environment.h"
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

namespace {

class WithoutDisplay : public ::testing::Test {
protected:
    TempFolder folder;
    ScopedEnvironment environment;
    std::string printed = folder.file("printed.pdf");
};

} // namespace

TEST_F(WithoutDisplay, PreviewRaisesFailNamingTheDisplay) {
    const auto show = [] {
        showPreview(std::make_shared<FakePageDocument>(2), PreviewOptions{"list", {}, {}});
    };
    std::string message;
    EXPECT_EQ(codeOf(show, &message), error_code::kFail);
    EXPECT_NE(message.find("no display"), std::string::npos);
}

TEST_F(WithoutDisplay, PrinterDialogRaisesFailAndPrintsNothing) {
    PrintOptions options;
    options.showPrinterDialog = true;
    options.printFile = printed;
    EXPECT_EQ(codeOf([&] { print(FakePageDocument(2), options); }), error_code::kFail);
    EXPECT_FALSE(std::filesystem::exists(printed));
}

TEST_F(WithoutDisplay, PrintingIntoTheFileStillWorks) {
    PrintOptions options;
    options.printFile = printed;
    print(FakePageDocument(2), options);
    EXPECT_EQ(pdfInfo(printed)["Pages"], "2");
}

TEST_F(WithoutDisplay, ALongPrintShowsNoProgressWindowAndGoesOn) {
    PrintProgressOptions options;
    options.windowDelay = {};
    PrintProgress progress(options);
    EXPECT_TRUE(progress.update({1, 2}));
    EXPECT_TRUE(progress.update({2, 2}));
    EXPECT_EQ(progress.window(), nullptr);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    return RUN_ALL_TESTS();
}
