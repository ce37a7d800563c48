#include "cups_test_server.h"
#include "fake_page_document.h"
#include "gtk_driving.h"
#include "tests/support/pdf_reader.h"

#include "platform/engine/preview/preview_registry.h"
#include "platform/engine/printing/printing.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <gtkmm/printunixdialog.h>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

using Dialog = Gtk::PrintUnixDialog;

bool printerChosen(Dialog& dialog) {
    return static_cast<bool>(dialog.get_selected_printer());
}

// Chooses pages `first`..`last` (0-based) and accepts.
void printPages(Dialog& dialog, int first, int last) {
    auto settings = dialog.get_settings();
    settings->set_print_pages(Gtk::PRINT_PAGES_RANGES);
    settings->set_page_ranges({Gtk::PrintSettings::PageRange(first, last)});
    dialog.set_settings(settings);
    dialog.response(Gtk::RESPONSE_OK);
}

class PrinterDialogTest : public ::testing::Test {
protected:
    void SetUp() override { environment.unset("PRINTER"); }
    void TearDown() override { closeAllPreviews(); }

    TempFolder folder;
    ScopedPrinterEnvironment environment;
    std::string printed = folder.file("printed.pdf");
    FakePageDocument document{3, "Dialog Test"};
};

} // namespace

// Into a file: a printer would pick the pages itself, a file must hold just
// the chosen ones.
TEST_F(PrinterDialogTest, AnswersPrintTheChosenPagesOrNothing) {
    const struct {
        std::function<void(Dialog&)> answer;
        const char* pages; // nullptr: nothing printed
    } cases[] = {          // Enter in the printer list activates the chosen printer, which accepts.
                 {[](Dialog& dialog) { sendKey(dialog, GDK_KEY_Return); }, "3"},
                 {[](Dialog& dialog) { sendKey(dialog, GDK_KEY_Escape); }, nullptr},
                 {[](Dialog& dialog) { dialog.response(Gtk::RESPONSE_CANCEL); }, nullptr},
                 {[](Dialog& dialog) { printPages(dialog, 1, 2); }, "2"}};
    for (const auto& c : cases) {
        std::filesystem::remove(printed);
        auto acted = whenWindowShows<Dialog>(c.answer, printerChosen);
        print(document, {.showPrinterDialog = true, .destination = {}, .printFile = printed});
        EXPECT_TRUE(*acted);
        ASSERT_EQ(std::filesystem::exists(printed), c.pages != nullptr);
        if (c.pages) {
            EXPECT_EQ(pdfInfo(printed)["Pages"], c.pages);
        }
    }
    const std::string text = pdfText(printed);
    EXPECT_EQ(text.find("Marker-1"), std::string::npos);
    EXPECT_NE(text.find("Page 3 of 3"), std::string::npos);
}

TEST_F(PrinterDialogTest, ThePreviewPrintsThroughTheDialogAndShowsAFailureInAMessageBox) {
    PreviewWindow& window =
        showMapped(std::make_shared<FakePageDocument>(5, "From Preview"), "dialog");
    window.setPrintFile("/proc/printed.pdf");
    auto accepted = whenWindowShows<Dialog>(
        [](Dialog& dialog) { dialog.response(Gtk::RESPONSE_OK); }, printerChosen);
    auto shown = answerMessageBox();
    window.printDocument();
    EXPECT_TRUE(*accepted);
    EXPECT_NE(shown->find("/proc/printed.pdf"), std::string::npos);
    ASSERT_TRUE(window.is_visible());

    window.setPrintFile(printed);
    Gtk::Window* parent = nullptr;
    auto acted = whenWindowShows<Dialog>(
        [&parent](Dialog& dialog) {
            parent = dialog.get_transient_for();
            dialog.response(Gtk::RESPONSE_OK);
        },
        printerChosen);
    ASSERT_TRUE(sendKey(window, GDK_KEY_p, GDK_CONTROL_MASK));
    // The key arrives through the main loop, which the host keeps running.
    ASSERT_TRUE(pumpUntil([&] { return *acted && std::filesystem::exists(printed); }));
    EXPECT_EQ(pdfInfo(printed)["Pages"], "5");
    // The dialog stays on top of the preview that asked for it.
    EXPECT_EQ(parent, &window);
}

TEST_F(PrinterDialogTest, ChosenCupsPrinterReceivesTheJobWithTheChosenPages) {
    CupsTestServer server({"TESTPDF", "OTHERPDF"});
    ASSERT_TRUE(server.running());
    auto acted = whenWindowShows<Dialog>([](Dialog& dialog) { printPages(dialog, 1, 1); },
                                         [](Dialog& dialog) {
                                             auto printer = dialog.get_selected_printer();
                                             return printer && printer->get_name() == "OTHERPDF";
                                         });
    print(document, {.showPrinterDialog = true, .destination = "OTHERPDF", .printFile = {}});
    ASSERT_TRUE(*acted);
    ASSERT_TRUE(server.waitForJob("OTHERPDF"));
    const std::string text = pdfText(server.outputOf("OTHERPDF"));
    EXPECT_NE(text.find("Marker-2"), std::string::npos);
    EXPECT_EQ(text.find("Marker-1"), std::string::npos);
}
