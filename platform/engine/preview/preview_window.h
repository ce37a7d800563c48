// The preview window: the pages of a laid-out report on screen, with page
// navigation, zoom, printing and saving as PDF.
#pragma once

#include "platform/engine/page_document.h"
#include "platform/engine/preview/page_view.h"
#include "platform/engine/preview/preview_options.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/window.h>

#include <memory>

namespace vorn::engine {

class PreviewWindow : public Gtk::Window {
public:
    /// \throws EngineError kInvalidArgument when the icon bytes are no picture.
    PreviewWindow(std::shared_ptr<const PageDocument> document, const PreviewOptions& options);

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
    void lastPage() { showPage(document_->pageCount() - 1); }

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

private:
    Gtk::Button& addButton(const char* icon, const char* tooltip, void (PreviewWindow::*action)());
    bool onKeyPress(GdkEventKey* event);
    void onPageEntered();
    void refreshControls();
    void applyZoom();
    void showError(const std::string& what, const std::string& reason);

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
    Gtk::ScrolledWindow scroller_;
    PageView view_;
};

} // namespace vorn::engine
