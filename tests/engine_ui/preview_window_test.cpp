#include "engine_error_code.h"
#include "fake_page_document.h"
#include "gtk_driving.h"
#include "pdf_reader.h"
#include "scratch_folder.h"

#include "platform/engine/preview/preview_registry.h"
#include "platform/engine/preview/preview_window.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <gtkmm/entry.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>

#include <algorithm>

using namespace vorn::engine;
using namespace vorn::engine::testing;

namespace {

// A 16x16 PNG drawn with cairo, so that making it needs no GTK.
std::vector<std::uint8_t> placeholderIcon() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 16, 16);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.2, 0.4, 0.8);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::vector<std::uint8_t> bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

class PreviewWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        closeAllPreviews();
        pumpEvents();
    }

    PreviewWindow& show(std::shared_ptr<const PageDocument> document,
                        const std::string& key = "report") {
        PreviewOptions options;
        options.key = key;
        options.icon = placeholderIcon();
        PreviewWindow& window = showPreview(std::move(document), options);
        EXPECT_TRUE(pumpUntil([&] { return window.get_mapped(); }));
        pumpEvents();
        return window;
    }
};

} // namespace

TEST_F(PreviewWindowTest, ShowingReturnsAndTheWindowStaysOpenWithCaptionAndIcon) {
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(3, "Item List"));
    pumpEvents(0.3);
    EXPECT_TRUE(window.is_visible());
    EXPECT_EQ(window.get_title(), "Item List");
    ASSERT_TRUE(window.get_icon());
    EXPECT_EQ(window.get_icon()->get_width(), 16);
    // The caption as the X server has it, which is what a window list shows.
    EXPECT_NE(runCommand("xdotool search --name '^Item List$'"), "");
    EXPECT_EQ(findPreview("report"), &window);
}

TEST_F(PreviewWindowTest, OnlyTheVisiblePageIsPainted) {
    auto document = std::make_shared<FakePageDocument>(2565, "Long List");
    PreviewWindow& window = show(document);
    ASSERT_TRUE(pumpUntil([&] { return !document->paintedPages().empty(); }));
    const auto& painted = document->paintedPages();
    EXPECT_TRUE(std::all_of(painted.begin(), painted.end(), [](int p) { return p == 0; }));
    window.lastPage();
    ASSERT_TRUE(pumpUntil([&] { return document->paintedPages().back() == 2564; }));
    EXPECT_LT(document->paintedPages().size(), 10u);
}

TEST_F(PreviewWindowTest, ButtonsAndMethodsStayWithinTheDocument) {
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(4));
    window.previousPage();
    EXPECT_EQ(window.currentPage(), 0);
    window.nextPage();
    window.nextPage();
    EXPECT_EQ(window.currentPage(), 2);
    window.lastPage();
    window.nextPage();
    EXPECT_EQ(window.currentPage(), 3);
    window.showPage(7);
    EXPECT_EQ(window.currentPage(), 3);
    window.firstPage();
    EXPECT_EQ(window.currentPage(), 0);
}

namespace {

struct KeyCase {
    const char* name;
    unsigned keyval;
    unsigned modifiers;
    int startPage;
    int expectedPage;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    return out << c.name;
}

class PreviewKeys : public PreviewWindowTest, public ::testing::WithParamInterface<KeyCase> {};

} // namespace

TEST_P(PreviewKeys, MoveBetweenPages) {
    const KeyCase& c = GetParam();
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(6));
    window.showPage(c.startPage);
    ASSERT_TRUE(sendKey(window, c.keyval, c.modifiers));
    pumpEvents();
    EXPECT_EQ(window.currentPage(), c.expectedPage);
}

INSTANTIATE_TEST_SUITE_P(Keys, PreviewKeys,
                         ::testing::Values(KeyCase{"PageDown", GDK_KEY_Page_Down, 0, 0, 1},
                                           KeyCase{"PageDownAtTheEnd", GDK_KEY_Page_Down, 0, 5, 5},
                                           KeyCase{"PageUp", GDK_KEY_Page_Up, 0, 3, 2},
                                           KeyCase{"PageUpAtTheStart", GDK_KEY_Page_Up, 0, 0, 0},
                                           KeyCase{"Home", GDK_KEY_Home, 0, 4, 0},
                                           KeyCase{"End", GDK_KEY_End, 0, 1, 5}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(PreviewWindowTest, ControlPlusAndMinusZoomFromWhatIsShown) {
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(2));
    EXPECT_EQ(window.zoomMode(), ZoomMode::WholePage);
    const double fitted = window.scale();
    ASSERT_TRUE(sendKey(window, GDK_KEY_plus, GDK_CONTROL_MASK));
    pumpEvents();
    EXPECT_EQ(window.zoomMode(), ZoomMode::Factor);
    const double larger = window.scale();
    EXPECT_GT(larger, fitted);
    ASSERT_TRUE(sendKey(window, GDK_KEY_minus, GDK_CONTROL_MASK));
    ASSERT_TRUE(sendKey(window, GDK_KEY_minus, GDK_CONTROL_MASK));
    pumpEvents();
    EXPECT_LT(window.scale(), larger);
    window.fitWidth();
    pumpEvents();
    EXPECT_EQ(window.zoomMode(), ZoomMode::FitWidth);
    EXPECT_GE(window.scale(), fitted);
}

namespace {

struct EntryCase {
    const char* name;
    const char* typed;
    int expectedPage;
};

std::ostream& operator<<(std::ostream& out, const EntryCase& c) {
    return out << c.name;
}

class PreviewPageEntry : public PreviewWindowTest,
                         public ::testing::WithParamInterface<EntryCase> {};

} // namespace

TEST_P(PreviewPageEntry, GoesToTheTypedPageOrStays) {
    const EntryCase& c = GetParam();
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(12));
    window.showPage(1);
    auto* entry = findWidget<Gtk::Entry>(window);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->get_text(), "2");
    entry->grab_focus();
    entry->set_text("");
    for (const char* key = c.typed; *key; ++key)
        ASSERT_TRUE(sendKey(*entry, gdk_unicode_to_keyval(static_cast<guint32>(*key))));
    ASSERT_TRUE(sendKey(*entry, GDK_KEY_Return));
    pumpEvents();
    EXPECT_EQ(window.currentPage(), c.expectedPage);
    EXPECT_EQ(entry->get_text(), std::to_string(c.expectedPage + 1));
}

INSTANTIATE_TEST_SUITE_P(Typed, PreviewPageEntry,
                         ::testing::Values(EntryCase{"Number", "7", 6},
                                           EntryCase{"LastPage", "12", 11},
                                           EntryCase{"PastTheEnd", "13", 1},
                                           EntryCase{"Zero", "0", 1},
                                           EntryCase{"NotANumber", "x1", 1}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(PreviewWindowTest, EscapeClosesAndTheWindowIsForgotten) {
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(2));
    ASSERT_TRUE(sendKey(window, GDK_KEY_Escape));
    EXPECT_TRUE(pumpUntil([] { return findPreview("report") == nullptr; }));
}

TEST_F(PreviewWindowTest, RunningAgainRefreshesTheOpenWindowOfTheSameReport) {
    PreviewWindow& first = show(std::make_shared<FakePageDocument>(10, "Run 1"));
    first.showPage(5);
    PreviewWindow& second = show(std::make_shared<FakePageDocument>(8, "Run 2"));
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.get_title(), "Run 2");
    EXPECT_EQ(second.currentPage(), 5);
    EXPECT_EQ(second.document().pageCount(), 8);

    PreviewWindow& third = show(std::make_shared<FakePageDocument>(3, "Run 3"));
    EXPECT_EQ(&third, &first);
    EXPECT_EQ(third.currentPage(), 0);

    PreviewWindow& other = show(std::make_shared<FakePageDocument>(1, "Other"), "other report");
    EXPECT_NE(&other, &first);
    EXPECT_TRUE(first.is_visible());
}

TEST_F(PreviewWindowTest, ShowingAClosedReportAgainOpensItAgain) {
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(2));
    window.hide();
    ASSERT_TRUE(pumpUntil([] { return findPreview("report") == nullptr; }));
    PreviewWindow& again = show(std::make_shared<FakePageDocument>(2, "Again"));
    EXPECT_TRUE(again.is_visible());
    EXPECT_EQ(again.get_title(), "Again");
}

TEST_F(PreviewWindowTest, RefusesWhatCannotBeShown) {
    PreviewOptions options;
    options.key = "bad icon";
    options.icon = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'};
    EXPECT_EQ(codeOf([&] { showPreview(std::make_shared<FakePageDocument>(1), options); }),
              error_code::kInvalidArgument);
    EXPECT_EQ(findPreview("bad icon"), nullptr);
    EXPECT_EQ(codeOf([&] { showPreview(std::make_shared<FakePageDocument>(0), {}); }),
              error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { showPreview(nullptr, {}); }), error_code::kInvalidArgument);
}

TEST_F(PreviewWindowTest, SaveAsPdfWritesTheChosenFile) {
    ScratchFolder folder;
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(3, "Saved Report"));
    auto acted = whenWindowShows<Gtk::FileChooserDialog>(
        [](Gtk::FileChooserDialog&) { return true; },
        [&](Gtk::FileChooserDialog& chooser) {
            EXPECT_EQ(chooser.get_current_name(), "Saved Report.pdf");
            chooser.set_current_folder(folder.path());
            chooser.set_current_name("copy.pdf");
            acceptUntilClosed<Gtk::FileChooserDialog>();
        });
    window.saveAsPdf();
    EXPECT_TRUE(*acted);
    EXPECT_EQ(pdfInfo(folder.file("copy.pdf"))["Pages"], "3");
}

TEST_F(PreviewWindowTest, FailedSaveIsShownInAMessageBox) {
    PreviewWindow& window = show(std::make_shared<FakePageDocument>(1));
    std::string shown;
    auto chosen =
        whenWindowShows<Gtk::FileChooserDialog>([](Gtk::FileChooserDialog&) { return true; },
                                                [&](Gtk::FileChooserDialog& chooser) {
                                                    // Not even root may create files in /proc.
                                                    chooser.set_current_folder("/proc");
                                                    chooser.set_current_name("copy.pdf");
                                                    acceptUntilClosed<Gtk::FileChooserDialog>();
                                                });
    auto told =
        whenWindowShows<Gtk::MessageDialog>([](Gtk::MessageDialog&) { return true; },
                                            [&](Gtk::MessageDialog& message) {
                                                shown =
                                                    message.property_secondary_text().get_value();
                                                message.response(Gtk::RESPONSE_OK);
                                            });
    window.saveAsPdf();
    EXPECT_TRUE(*chosen);
    EXPECT_TRUE(*told);
    EXPECT_NE(shown.find("/proc/copy.pdf"), std::string::npos);
}
