#include "fake_page_document.h"
#include "gtk_driving.h"
#include "platform/engine/engine_error.h"
#include "tests/support/error_code.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/preview/preview_registry.h"

#include <gtest/gtest.h>
#include <gtkmm/entry.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/label.h>
#include <gtkmm/searchentry.h>

#include <algorithm>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

// A 16-pixel square in the plainest format the picture loader reads.
std::vector<std::uint8_t> placeholderIcon() {
    const std::string ppm = "P6 16 16 255\n" + std::string(16 * 16 * 3, '\x66');
    return {ppm.begin(), ppm.end()};
}

class PreviewWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        closeAllPreviews();
        pumpEvents();
    }

    PreviewWindow& show(int pages, const std::string& title = "Fake Report",
                        const std::string& key = "report") {
        return showMapped(std::make_shared<FakePageDocument>(pages, title), key, placeholderIcon());
    }
};

} // namespace

// Keys step to the ends and no further; a page named past the last shows the
// last; a number outside the pages, or no number, in the page entry leaves the
// page shown; Control with plus and minus zooms from what is shown.
TEST_F(PreviewWindowTest, KeysAndThePageEntryMoveBetweenPagesAndZoom) {
    const struct {
        unsigned keyval;
        int startPage, expectedPage;
    } cases[] = {{GDK_KEY_Page_Down, 0, 1}, {GDK_KEY_Page_Down, 11, 11}, {GDK_KEY_Page_Up, 3, 2},
                 {GDK_KEY_Page_Up, 0, 0},   {GDK_KEY_Home, 4, 0},        {GDK_KEY_End, 1, 11}};
    PreviewWindow& window = show(12);
    for (const auto& c : cases) {
        window.showPage(c.startPage);
        ASSERT_TRUE(sendKey(window, c.keyval));
        pumpEvents();
        EXPECT_EQ(window.currentPage(), c.expectedPage) << c.keyval << " from " << c.startPage;
    }
    window.showPage(13);
    EXPECT_EQ(window.currentPage(), 11);

    auto* entry = findWidget<Gtk::Entry>(window);
    ASSERT_NE(entry, nullptr);
    window.showPage(1);
    EXPECT_EQ(entry->get_text(), "2");
    for (const auto& [typed, expectedPage] :
         {std::pair{"12", 11}, {"7", 6}, {"13", 6}, {"0", 6}, {"x1", 6}}) {
        entry->grab_focus();
        entry->set_text("");
        for (const char* key = typed; *key; ++key)
            ASSERT_TRUE(sendKey(*entry, gdk_unicode_to_keyval(static_cast<guint32>(*key))));
        ASSERT_TRUE(sendKey(*entry, GDK_KEY_Return));
        pumpEvents();
        EXPECT_EQ(window.currentPage(), expectedPage) << typed;
        EXPECT_EQ(entry->get_text(), std::to_string(expectedPage + 1)) << typed;
    }

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

// Showing returns with the window open; running the same report again
// refreshes that window, another report gets its own.
TEST_F(PreviewWindowTest, ShowingLeavesTheWindowOpenAndRunningAgainRefreshesIt) {
    PreviewWindow& first = show(10, "Run 1");
    pumpEvents(0.3);
    EXPECT_TRUE(first.is_visible());
    ASSERT_TRUE(first.get_icon());
    EXPECT_EQ(first.get_icon()->get_width(), 16);
    // The caption as the X server has it, which is what a window list shows.
    EXPECT_NE(runCommand("xdotool search --name '^Run 1$'"), "");
    EXPECT_EQ(findPreview("report"), &first);
    first.showPage(5);
    PreviewWindow& second = show(8, "Run 2");
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.get_title(), "Run 2");
    EXPECT_EQ(second.currentPage(), 5);
    EXPECT_EQ(second.document().pageCount(), 8);

    PreviewWindow& third = show(3, "Run 3");
    EXPECT_EQ(&third, &first);
    EXPECT_EQ(third.currentPage(), 0);

    PreviewWindow& other = show(1, "Other", "other report");
    EXPECT_NE(&other, &first);
    EXPECT_TRUE(first.is_visible());
}

TEST_F(PreviewWindowTest, RefusesWhatCannotBeShown) {
    const PreviewOptions options{
        "bad icon", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'}, {}};
    EXPECT_EQ(codeOf([&] { showPreview(std::make_shared<FakePageDocument>(1), options); }),
              error_code::kInvalidArgument);
    EXPECT_EQ(findPreview("bad icon"), nullptr);
    EXPECT_EQ(codeOf([&] { showPreview(std::make_shared<FakePageDocument>(0), {}); }),
              error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { showPreview(nullptr, {}); }), error_code::kInvalidArgument);
}

namespace {

// Saves into `folder` as copy.pdf, noting the name the dialog offered first.
std::shared_ptr<bool> saveInto(const std::string& folder, std::string* suggested = nullptr) {
    return whenWindowShows<Gtk::FileChooserDialog>([=](Gtk::FileChooserDialog& chooser) {
        if (suggested)
            *suggested = chooser.get_current_name();
        chooser.set_current_folder(folder);
        chooser.set_current_name("copy.pdf");
        acceptUntilClosed<Gtk::FileChooserDialog>();
    });
}

} // namespace

TEST_F(PreviewWindowTest, SavingAReportStillBeingLaidOutSavesEveryPageAndAFailureShowsInABox) {
    TempFolder folder;
    auto document = std::make_shared<GrowingPageDocument>(30, 5);
    PreviewWindow& window = showPreview(document, {});
    window.stopLayout();
    std::string suggested;
    auto acted = saveInto(folder.path(), &suggested);
    window.saveAsPdf();
    EXPECT_TRUE(*acted);
    EXPECT_EQ(suggested, "Fake Report.pdf");
    EXPECT_EQ(pdfInfo(folder.file("copy.pdf"))["Pages"], "30");
    EXPECT_FALSE(window.layingOut());
    // Not even root may create files in /proc.
    auto chosen = saveInto("/proc");
    auto shown = answerMessageBox();
    window.saveAsPdf();
    EXPECT_TRUE(*chosen);
    EXPECT_NE(shown->find("/proc/copy.pdf"), std::string::npos);
}

// A long report: its first page is on screen before the rest is laid out, and
// every page shows the final count once it is known; pages out of sight are
// never drawn.
TEST_F(PreviewWindowTest, TheFirstPageShowsBeforeTheLayoutEndsAndTheCountBecomesFinal) {
    auto document = std::make_shared<GrowingPageDocument>(300, 3);
    PreviewWindow& window = showMapped(document, "report");
    ASSERT_TRUE(pumpUntil([&] { return !document->paintedPages().empty(); }));
    EXPECT_FALSE(document->paintedFinal().front());
    auto* count = findWidget<Gtk::Label>(window);
    ASSERT_NE(count, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return !window.layingOut(); }));
    EXPECT_EQ(document->pageCount(), 300);
    EXPECT_EQ(count->get_text(), "of 300");
    ASSERT_TRUE(pumpUntil([&] { return document->paintedFinal().back(); }));
    // Only the page on screen is ever painted.
    window.lastPage();
    ASSERT_TRUE(pumpUntil([&] { return document->paintedPages().back() == 299; }));
    EXPECT_EQ(std::count_if(document->paintedPages().begin(), document->paintedPages().end(),
                            [](int p) { return p != 0 && p != 299; }),
              0);
}

TEST_F(PreviewWindowTest, EscapeStopsALongLayoutThenClosesTheWindowAndShowingAgainOpensItAgain) {
    auto document = std::make_shared<GrowingPageDocument>(10'000'000, 1);
    PreviewWindow& window = showMapped(document, "report");
    ASSERT_TRUE(pumpUntil([&] { return document->pageCount() > 2; }));
    ASSERT_TRUE(window.layingOut());
    ASSERT_TRUE(sendKey(window, GDK_KEY_Escape));
    ASSERT_TRUE(pumpUntil([&] { return !window.layingOut(); }, 2));
    const int stoppedAt = document->pageCount();
    pumpEvents(0.2);
    EXPECT_EQ(document->pageCount(), stoppedAt);
    EXPECT_TRUE(window.is_visible());
    // Pages past the count are still laid out when asked for.
    window.showPage(stoppedAt + 1);
    EXPECT_EQ(window.currentPage(), stoppedAt + 1);
    ASSERT_TRUE(sendKey(window, GDK_KEY_Escape));
    ASSERT_TRUE(pumpUntil([] { return findPreview("report") == nullptr; }));
    // A closed window is forgotten: showing the report again opens a new one.
    PreviewWindow& again = show(2, "Again");
    EXPECT_TRUE(again.is_visible());
    EXPECT_EQ(again.get_title(), "Again");
}

// "Marker-3" and "Marker-30" of 30 pages, of which 5 are laid out: Enter walks
// forward through pages not laid out yet and around the end, Shift+Enter back.
TEST_F(PreviewWindowTest, FindMovesAcrossPagesAndAroundTheEnd) {
    auto document = std::make_shared<GrowingPageDocument>(30, 5);
    PreviewWindow& window = showPreview(document, {});
    window.stopLayout();
    ASSERT_TRUE(pumpUntil([&] { return window.get_mapped(); }));
    ASSERT_TRUE(sendKey(window, GDK_KEY_f, GDK_CONTROL_MASK));
    auto* entry = findWidget<Gtk::SearchEntry>(window);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return entry->is_focus(); }, 2));
    entry->set_text("MARKER-3");
    const struct {
        unsigned modifiers;
        int page;
    } steps[] = {{0, 2}, {0, 29}, {0, 2}, {GDK_SHIFT_MASK, 29}, {GDK_SHIFT_MASK, 2}};
    for (const auto& step : steps) {
        ASSERT_TRUE(sendKey(window, GDK_KEY_Return, step.modifiers));
        pumpEvents();
        ASSERT_TRUE(pumpUntil([&] { return !window.searching(); }));
        EXPECT_EQ(window.currentPage(), step.page);
        EXPECT_EQ(window.matches().size(), 1u);
        EXPECT_EQ(window.selectedMatch(), 0);
    }
    entry->set_text("no such text");
    ASSERT_TRUE(sendKey(window, GDK_KEY_Return));
    pumpEvents();
    ASSERT_TRUE(pumpUntil([&] { return !window.searching(); }));
    EXPECT_EQ(window.currentPage(), 2);
    // Escape closes the find bar first, and the window only after it.
    ASSERT_TRUE(sendKey(window, GDK_KEY_Escape));
    ASSERT_TRUE(pumpUntil([&] { return !entry->is_visible(); }, 2));
    EXPECT_TRUE(window.is_visible());
}
