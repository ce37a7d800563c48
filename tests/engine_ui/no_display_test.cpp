// Runs with no display at all, as on a headless host: whatever needs a window
// fails with a clear error, and printing into a file still works.
#include "engine_error_code.h"
#include "fake_page_document.h"
#include "pdf_reader.h"
#include "scoped_environment.h"
#include "scratch_folder.h"

#include "platform/engine/output/printing.h"
#include "platform/engine/preview/preview_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vorn::engine;
using namespace vorn::engine::testing;

namespace {

std::string messageOf(const std::function<void()>& body) {
    try {
        body();
    } catch (const EngineError& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(WithoutDisplay, PreviewRaisesFailNamingTheDisplay) {
    const auto show = [] {
        showPreview(std::make_shared<FakePageDocument>(2), PreviewOptions{"list", {}});
    };
    EXPECT_EQ(codeOf(show), error_code::kFail);
    EXPECT_NE(messageOf(show).find("no display"), std::string::npos);
}

TEST(WithoutDisplay, PrinterDialogRaisesFailAndPrintsNothing) {
    ScratchFolder folder;
    ScopedEnvironment environment;
    environment.set(kPrintFileVariable, folder.file("printed.pdf"));
    PrintOptions options;
    options.showPrinterDialog = true;
    EXPECT_EQ(codeOf([&] { print(FakePageDocument(2), options); }), error_code::kFail);
    EXPECT_FALSE(fileExists(folder.file("printed.pdf")));
}

TEST(WithoutDisplay, PrintingIntoTheFileStillWorks) {
    ScratchFolder folder;
    ScopedEnvironment environment;
    environment.set(kPrintFileVariable, folder.file("printed.pdf"));
    print(FakePageDocument(2), PrintOptions{});
    EXPECT_EQ(pdfInfo(folder.file("printed.pdf"))["Pages"], "2");
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    return RUN_ALL_TESTS();
}
