#include "cups_test_server.h"
#include "fake_page_document.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/print_progress.h"
#include "platform/engine/printing/printing.h"
#include "platform/engine/printing/progress_text.h"
#include "tests/support/command_and_file.h"
#include "tests/support/error_code.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

// What the host hands over as a descriptor, here a file of the test's own.
using File = std::unique_ptr<FILE, decltype(&std::fclose)>;

} // namespace

TEST(ProgressText, GroupsThousandsAndSaysWhileTheCountIsUnknown) {
    const struct {
        LayoutProgress done;
        const char* text;
    } cases[] = {
        {{1, 4}, "Page 1 of 4"},
        {{999, 1000}, "Page 999 of 1,000"},
        {{1234, 27778}, "Page 1,234 of 27,778"},
        {{1000000, 1000000}, "Page 1,000,000 of 1,000,000"},
        {{12345, LayoutProgress::kUnknown}, "Laying out page 12,345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressText(c.done), c.text);
}

TEST(PrintProgress, WritesOneLineThatEndsOnTheLastPage) {
    TempFolder folder;
    File line(std::fopen(folder.file("line").c_str(), "w"), &std::fclose);
    {
        PrintProgressOptions options;
        options.lineFd = fileno(line.get());
        options.window = false;
        PrintProgress progress(options);
        progress.update({7, LayoutProgress::kUnknown});
        writePdf(FakePageDocument(4), folder.file("out.pdf"), progress.callback());
    }
    // Pages between may come too fast to be shown; the last always shows, and
    // a shorter text blanks what is left of the longer one before it.
    line.reset();
    const std::string text = readFile(folder.file("line"));
    EXPECT_EQ(text.rfind("\rLaying out page 7\rPage ", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.rfind('\r')), "\rPage 4 of 4      \n") << text;
}

TEST(PrintProgress, ACancelFromTheHostLeavesNoFileAndSendsNothing) {
    TempFolder folder;
    ScopedPrinterEnvironment environment;
    environment.unset("PRINTER");
    CupsTestServer server;
    ASSERT_TRUE(server.running());
    // Anything to read says "cancel".
    File cancel(std::fopen("/dev/zero", "r"), &std::fclose);
    environment.set(kPrintCancelFdVariable, std::to_string(fileno(cancel.get())));

    FakePageDocument document(3);
    PrintOptions intoFile;
    intoFile.printFile = folder.file("printed.pdf");
    expectError([&] { print(document, intoFile); }, error_code::kCancelled,
                "cancelled before it was finished");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())); // nor a partial file beside it
    expectError([&] { print(document, PrintOptions{}); }, error_code::kCancelled, "cancelled");
    EXPECT_FALSE(server.waitForJob("TESTPDF", 1));
}
