#include "cups_test_server.h"
#include "fake_page_document.h"
#include "tests/support/pdf_reader.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/preview/preview_registry.h"
#include "platform/engine/printing/print_progress.h"
#include "platform/engine/printing/printing.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

PrintOptions intoFile(std::string file, std::string destination = {}) {
    return {.destination = std::move(destination), .printFile = std::move(file)};
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        environment.unset("PRINTER");
        environment.unset("LPDEST");
        // No scheduler unless a test starts its own.
        environment.set("CUPS_SERVER", folder.file("no-such.sock"));
    }

    TempFolder folder;
    ScopedPrinterEnvironment environment;
    FakePageDocument document{4, "Printing Test"};
    std::string printed = folder.file("printed.pdf");
};

} // namespace

TEST_F(PrintingTest, PrintFileWinsOverANamedDestinationWithTheSamePdfAsSavingElseNotFound) {
    const std::string saved = folder.file("saved.pdf");
    print(document, intoFile(printed, "NOSUCHQUEUE"));
    writePdf(document, saved);
    EXPECT_EQ(readFile(printed), readFile(saved));
    EXPECT_EQ(codeOf([&] { print(document, PrintOptions{}); }), error_code::kNotFound);
}

// The suite runs with no display: what needs a window fails with a clear
// error, and a long print goes on without its progress window.
TEST_F(PrintingTest, WithoutDisplayWindowsFailNamingTheDisplay) {
    expectError(
        [] {
            showPreview(std::make_shared<FakePageDocument>(2), PreviewOptions{"list", {}, {}});
        },
        error_code::kFail, "no display");
    PrintOptions withDialog = intoFile(printed);
    withDialog.showPrinterDialog = true;
    EXPECT_EQ(codeOf([&] { print(document, withDialog); }), error_code::kFail);
    EXPECT_FALSE(std::filesystem::exists(printed));

    PrintProgressOptions watch;
    watch.windowDelay = {};
    PrintProgress progress(watch);
    EXPECT_TRUE(progress.update({2, 2}));
    EXPECT_EQ(progress.window(), nullptr);
}

TEST_F(PrintingTest, GoesToTheDefaultOrTheNamedCupsQueueUnlessItRefusesOrIsStopped) {
    CupsTestServer server({"TESTPDF", "OTHERPDF"});
    ASSERT_TRUE(server.running());
    print(document, PrintOptions{});
    ASSERT_TRUE(server.waitForJob("TESTPDF"));
    EXPECT_EQ(pdfInfo(server.outputOf("TESTPDF"))["Pages"], "4");
    EXPECT_NE(pdfText(server.outputOf("TESTPDF")).find("Page 4 of 4"), std::string::npos);

    print(document, intoFile("", "OTHERPDF"));
    ASSERT_TRUE(server.waitForJob("OTHERPDF"));

    // A queue set to refuse jobs is named with the administrator's reason
    // before a page is drawn; a stopped queue takes the job and prints it once
    // started. A report that fails to paint sends nothing.
    std::filesystem::remove(server.outputOf("TESTPDF"));
    document = FakePageDocument{4, "Printing Test"};
    FakePageDocument broken(4);
    broken.failOnPage(2);
    EXPECT_THROW(print(broken, PrintOptions{}), std::runtime_error);
    runCommand("cupsreject -r 'Tray 2 is jammed' TESTPDF && cupsreject OTHERPDF");
    for (const auto& [queue, reason] :
         {std::pair{"TESTPDF", "Tray 2 is jammed"}, {"OTHERPDF", "Rejecting Jobs"}}) {
        expectError([&] { print(document, intoFile("", queue)); }, error_code::kFail,
                    std::string("The printer \"") + queue + "\" is not accepting jobs: " + reason);
        EXPECT_TRUE(document.paintedPages().empty()) << queue;
    }

    runCommand("cupsaccept TESTPDF && cupsdisable TESTPDF");
    print(document, PrintOptions{});
    EXPECT_FALSE(server.waitForJob("TESTPDF", 1)); // nor the broken report's
    runCommand("cupsenable TESTPDF");
    EXPECT_TRUE(server.waitForJob("TESTPDF"));
}
