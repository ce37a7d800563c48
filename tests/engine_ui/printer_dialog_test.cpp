#include "cups_test_server.h"
#include "fake_page_document.h"
#include "gtk_driving.h"
#include "pdf_reader.h"
#include "scoped_environment.h"
#include "scratch_folder.h"

#include "platform/engine/output/printing.h"
#include "platform/engine/preview/preview_registry.h"
#include "platform/engine/preview/preview_window.h"

#include <gtest/gtest.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/printunixdialog.h>

using namespace vorn::engine;
using namespace vorn::engine::testing;

namespace {

using Dialog = Gtk::PrintUnixDialog;

bool always(Dialog&) {
    return true;
}
bool printerChosen(Dialog& dialog) {
    return static_cast<bool>(dialog.get_selected_printer());
}

class PrinterDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        environment.unset("PRINTER");
        environment.set(kPrintFileVariable, printed);
    }
    void TearDown() override { closeAllPreviews(); }

    PrintOptions withDialog() const {
        PrintOptions options;
        options.showPrinterDialog = true;
        return options;
    }

    ScratchFolder folder;
    ScopedEnvironment environment;
    std::string printed = folder.file("printed.pdf");
    FakePageDocument document{3, "Dialog Test"};
};

} // namespace

TEST_F(PrinterDialogTest, AcceptedWithEnterPrints) {
    auto acted = whenWindowShows<Dialog>(printerChosen, [](Dialog& dialog) {
        // Enter in the printer list activates the chosen printer, which accepts.
        sendKey(dialog, GDK_KEY_Return);
    });
    print(document, withDialog());
    EXPECT_TRUE(*acted);
    ASSERT_TRUE(fileExists(printed));
    EXPECT_EQ(pdfInfo(printed)["Pages"], "3");
}

TEST_F(PrinterDialogTest, EscapePrintsNothing) {
    auto acted =
        whenWindowShows<Dialog>(always, [](Dialog& dialog) { sendKey(dialog, GDK_KEY_Escape); });
    print(document, withDialog());
    EXPECT_TRUE(*acted);
    EXPECT_FALSE(fileExists(printed));
}

TEST_F(PrinterDialogTest, CancelButtonPrintsNothing) {
    auto acted = whenWindowShows<Dialog>(
        always, [](Dialog& dialog) { dialog.response(Gtk::RESPONSE_CANCEL); });
    print(document, withDialog());
    EXPECT_TRUE(*acted);
    EXPECT_FALSE(fileExists(printed));
}

TEST_F(PrinterDialogTest, ControlPInThePreviewPrintsThroughTheDialog) {
    PreviewOptions options;
    options.key = "dialog";
    PreviewWindow& window =
        showPreview(std::make_shared<FakePageDocument>(5, "From Preview"), options);
    ASSERT_TRUE(pumpUntil([&] { return window.get_mapped(); }));
    Gtk::Window* parent = nullptr;
    auto acted = whenWindowShows<Dialog>(printerChosen, [&parent](Dialog& dialog) {
        parent = dialog.get_transient_for();
        dialog.response(Gtk::RESPONSE_OK);
    });
    ASSERT_TRUE(sendKey(window, GDK_KEY_p, GDK_CONTROL_MASK));
    // The key arrives through the main loop, which the host keeps running.
    EXPECT_TRUE(pumpUntil([&] { return *acted && fileExists(printed); }));
    ASSERT_TRUE(fileExists(printed));
    EXPECT_EQ(pdfInfo(printed)["Pages"], "5");
    // The dialog stays on top of the preview that asked for it.
    EXPECT_EQ(parent, &window);
}

TEST_F(PrinterDialogTest, ChosenCupsPrinterReceivesTheJobWithTheChosenPages) {
    environment.unset(kPrintFileVariable);
    CupsTestServer server({"TESTPDF", "OTHERPDF"});
    ASSERT_TRUE(server.running());
    PrintOptions options = withDialog();
    options.destination = "OTHERPDF";
    auto acted = whenWindowShows<Dialog>(
        [](Dialog& dialog) {
            auto printer = dialog.get_selected_printer();
            return printer && printer->get_name() == "OTHERPDF";
        },
        [](Dialog& dialog) {
            auto settings = dialog.get_settings();
            settings->set_print_pages(Gtk::PRINT_PAGES_RANGES);
            settings->set_page_ranges({Gtk::PrintSettings::PageRange(1, 1)});
            dialog.set_settings(settings);
            dialog.response(Gtk::RESPONSE_OK);
        });
    print(document, options);
    ASSERT_TRUE(*acted);
    ASSERT_TRUE(server.waitForJob("OTHERPDF"));
    const std::string text = pdfText(server.outputOf("OTHERPDF"));
    EXPECT_NE(text.find("Marker-2"), std::string::npos);
    EXPECT_EQ(text.find("Marker-1"), std::string::npos);
}

// A printer would pick the pages itself; a file must hold just the chosen ones.
TEST_F(PrinterDialogTest, PrintIntoAFileWritesOnlyTheChosenPages) {
    auto acted = whenWindowShows<Dialog>(printerChosen, [](Dialog& dialog) {
        auto settings = dialog.get_settings();
        settings->set_print_pages(Gtk::PRINT_PAGES_RANGES);
        settings->set_page_ranges({Gtk::PrintSettings::PageRange(1, 2)});
        dialog.set_settings(settings);
        dialog.response(Gtk::RESPONSE_OK);
    });
    print(document, withDialog());
    ASSERT_TRUE(*acted);
    ASSERT_TRUE(fileExists(printed));
    EXPECT_EQ(pdfInfo(printed)["Pages"], "2");
    const std::string text = pdfText(printed);
    EXPECT_EQ(text.find("Marker-1"), std::string::npos);
    EXPECT_NE(text.find("Page 3 of 3"), std::string::npos);
}

TEST_F(PrinterDialogTest, FailedPrintFromThePreviewIsShownInAMessageBox) {
    environment.set(kPrintFileVariable, "/proc/printed.pdf");
    PreviewOptions options;
    options.key = "failing";
    PreviewWindow& window = showPreview(std::make_shared<FakePageDocument>(2), options);
    ASSERT_TRUE(pumpUntil([&] { return window.get_mapped(); }));
    auto accepted = whenWindowShows<Dialog>(
        printerChosen, [](Dialog& dialog) { dialog.response(Gtk::RESPONSE_OK); });
    std::string shown;
    auto told =
        whenWindowShows<Gtk::MessageDialog>([](Gtk::MessageDialog&) { return true; },
                                            [&](Gtk::MessageDialog& message) {
                                                shown =
                                                    message.property_secondary_text().get_value();
                                                message.response(Gtk::RESPONSE_OK);
                                            });
    window.printDocument();
    EXPECT_TRUE(*accepted);
    EXPECT_TRUE(*told);
    EXPECT_NE(shown.find("/proc/printed.pdf"), std::string::npos);
    EXPECT_TRUE(window.is_visible());
}
