#include "cups_test_server.h"
#include "fake_page_document.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/print_progress.h"
#include "platform/engine/printing/printing.h"
#include "platform/engine/printing/progress_text.h"
#include "tests/support/error_code.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

// A pipe whose ends close with it.
struct Pipe {
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe() {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    std::string drain() const {
        ::close(fds[1]);
        fds[1] = -1;
        std::string text;
        char buffer[256];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }
    mutable int fds[2] = {-1, -1};
};

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
    Pipe line;
    {
        PrintProgressOptions options;
        options.lineFd = line.fds[1];
        options.window = false;
        PrintProgress progress(options);
        progress.update({7, LayoutProgress::kUnknown});
        writePdf(FakePageDocument(4), folder.file("out.pdf"), progress.callback());
    }
    // Pages between may come too fast to be shown; the last always shows, and
    // a shorter text blanks what is left of the longer one before it.
    const std::string text = line.drain();
    EXPECT_EQ(text.rfind("\rLaying out page 7\rPage ", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.rfind('\r')), "\rPage 4 of 4      \n") << text;
}

TEST(PrintProgress, ACancelFromTheHostLeavesNoFileAndSendsNothing) {
    TempFolder folder;
    ScopedPrinterEnvironment environment;
    environment.unset("PRINTER");
    CupsTestServer server;
    ASSERT_TRUE(server.running());
    Pipe cancel;
    ASSERT_EQ(::write(cancel.fds[1], "x", 1), 1);
    environment.set(kPrintCancelFdVariable, std::to_string(cancel.fds[0]));

    FakePageDocument document(3);
    PrintOptions intoFile;
    intoFile.printFile = folder.file("printed.pdf");
    expectError([&] { print(document, intoFile); }, error_code::kCancelled,
                "cancelled before it was finished");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())); // nor a partial file beside it
    expectError([&] { print(document, PrintOptions{}); }, error_code::kCancelled, "cancelled");
    EXPECT_FALSE(server.waitForJob("TESTPDF", 1));
}
