// The preview window: the pages of a report on screen, with page navigation,
// zoom, finding text, printing and saving as PDF. A report whose last page is
// not laid out yet shows its first pages at once and is laid out further from
// the window's own event loop, a short slice at a time, while the user reads.
#pragma once

#include "platform/engine/page_document.h"
#include "platform/engine/preview/page_view.h"
#include "platform/engine/preview/preview_options.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/searchentry.h>
#include <gtkmm/window.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorn::engine {

class PreviewWindow : public Gtk::Window {
public:
    /// \throws EngineError kInvalidArgument when the icon bytes are no picture.
    PreviewWindow(std::shared_ptr<const PageDocument> document, const PreviewOptions& options);
    ~PreviewWindow() override;

    /// Shows another run of the report, on the same page when it still exists,
    /// else on the first.
    void setDocument(std::shared_ptr<const PageDocument> document);
    /// Where printDocument prints: see PrintOptions::printFile.
    void setPrintFile(std::string file) { printFile_ = std::move(file); }
    const PageDocument& document() const noexcept { return *document_; }

    int currentPage() const noexcept { return view_.page(); }
    /// Goes to page `index` (0-based); ignored outside the document.
    void showPage(int index);
    void firstPage() { showPage(0); }
    void previousPage() { showPage(currentPage() - 1); }
    void nextPage() { showPage(currentPage() + 1); }
    /// The last page laid out so far, which is the report's last once its
    /// page count is final.
    void lastPage() { showPage(document_->pageCount() - 1); }

    /// Whether the rest of the report is being laid out in the background.
    bool layingOut() const noexcept { return layingOut_; }
    /// Stops laying out in the background (Escape, closing the window); the
    /// pages counted so far stay, and later ones are laid out when asked for.
    void stopLayout();

    /// Opens the find bar with its text selected (Ctrl+F).
    void openFind();
    /// Closes the find bar and stops a search under way.
    void closeFind();
    /// Goes to the next (or previous) match of the find bar's text, across
    /// pages and around the end; searching goes on from the event loop.
    void findNext(bool forward = true);
    bool searching() const noexcept { return search_.has_value(); }
    /// The matches of the find bar's text on the page they were found on.
    const std::vector<PageRect>& matches() const noexcept { return matches_; }
    int selectedMatch() const noexcept { return selectedMatch_; }

    void zoomIn();
    void zoomOut();
    void fitWidth();
    void wholePage();
    ZoomMode zoomMode() const noexcept;
    /// Pixels per point of the page as drawn now.
    double scale() const noexcept { return view_.scale(); }

    /// Prints through the printer dialog; a failure is shown in a message box.
    void printDocument();
    /// Asks for a file name and saves the report there as PDF.
    void saveAsPdf();

protected:
    void on_hide() override;

private:
    /// One search for the next or previous match: the page ranges it walks
    /// through in order, and the last page with matches in the current range.
    struct Search {
        struct Range {
            int first;
            int end; // past the last page; INT_MAX: to the report's end
        };
        std::string text;
        bool forward = true;
        std::vector<Range> ranges;
        std::size_t range = 0;
        int page = 0;
        int hitPage = -1;
        std::vector<PageRect> hits;
    };

    Gtk::Button& addButton(const char* icon, const char* tooltip, void (PreviewWindow::*action)());
    bool onKeyPress(GdkEventKey* event);
    void onPageEntered();
    void refreshControls();
    void applyZoom();
    void showError(const std::string& what, const std::string& reason);
    void startLayout();
    bool layOutSlice();
    void layoutFailed(const std::string& reason);
    /// Lays out the rest of the report before it is printed or saved whole.
    bool finishLayout();
    bool searchSlice();
    void selectMatch(int page, std::vector<PageRect> matches, int index);
    void endSearch(const std::string& status);

    std::shared_ptr<const PageDocument> document_;
    std::string printFile_;
    Gtk::Box layout_{Gtk::ORIENTATION_VERTICAL};
    Gtk::Box toolbar_{Gtk::ORIENTATION_HORIZONTAL, 2};
    std::vector<std::unique_ptr<Gtk::Button>> buttons_;
    Gtk::Button* firstButton_ = nullptr;
    Gtk::Button* previousButton_ = nullptr;
    Gtk::Button* nextButton_ = nullptr;
    Gtk::Button* lastButton_ = nullptr;
    Gtk::Entry pageEntry_;
    Gtk::Label pageCountLabel_;
    Gtk::ProgressBar progress_;
    Gtk::Box findBar_{Gtk::ORIENTATION_HORIZONTAL, 6};
    Gtk::SearchEntry findEntry_;
    Gtk::Label findStatus_;
    Gtk::ScrolledWindow scroller_;
    PageView view_;

    bool layingOut_ = false;
    std::string layoutFailure_;
    sigc::connection firstDraw_;
    sigc::connection layoutIdle_;
    std::optional<Search> search_;
    sigc::connection searchIdle_;
    std::string matchText_;
    int matchPage_ = -1;
    std::vector<PageRect> matches_;
    int selectedMatch_ = -1;
};

} // namespace vorn::engine
