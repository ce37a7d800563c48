#include "platform/engine/preview/preview_window.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/printing.h"

#include <gdkmm/cursor.h>
#include <gdkmm/pixbufloader.h>
#include <glibmm/main.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>

#include <algorithm>
#include <charconv>
#include <climits>

namespace vorn::engine {
namespace {

constexpr int kDefaultWidth = 820;
constexpr int kDefaultHeight = 980;
// A slice of layout or search between two turns of the event loop: short
// enough that keys and scrolling stay smooth, long enough to get on.
constexpr auto kSlice = std::chrono::milliseconds(20);
// Searching backwards first looks through this many pages before the one
// shown, and only then walks the whole report from its first page.
constexpr int kPagesSearchedBack = 64;

Glib::RefPtr<Gdk::Pixbuf> pictureFrom(const std::vector<std::uint8_t>& bytes) {
    try {
        auto loader = Gdk::PixbufLoader::create();
        loader->write(bytes.data(), bytes.size());
        loader->close();
        return loader->get_pixbuf();
    } catch (const Glib::Error& e) {
        throw EngineError(error_code::kInvalidArgument,
                          "The window icon is not a picture: " + std::string(e.what()));
    }
}

std::string suggestedFileName(const std::string& title) {
    std::string name = title.empty() ? "Report" : title;
    for (char& c : name)
        if (c == '/')
            c = '-';
    return name + ".pdf";
}

} // namespace

PreviewWindow::PreviewWindow(std::shared_ptr<const PageDocument> document,
                             const PreviewOptions& options)
    : printFile_(options.printFile) {
    if (!options.icon.empty())
        set_icon(pictureFrom(options.icon));
    set_default_size(kDefaultWidth, kDefaultHeight);

    firstButton_ = &addButton("go-first", "First page", &PreviewWindow::firstPage);
    previousButton_ = &addButton("go-previous", "Previous page", &PreviewWindow::previousPage);
    pageEntry_.set_width_chars(6);
    pageEntry_.set_alignment(Gtk::ALIGN_END);
    pageEntry_.set_tooltip_text("Page number");
    pageEntry_.signal_activate().connect([this] { onPageEntered(); });
    toolbar_.pack_start(pageEntry_, Gtk::PACK_SHRINK);
    toolbar_.pack_start(pageCountLabel_, Gtk::PACK_SHRINK, 4);
    progress_.set_show_text(true);
    progress_.set_valign(Gtk::ALIGN_CENTER);
    progress_.set_no_show_all(true);
    toolbar_.pack_end(progress_, Gtk::PACK_SHRINK, 6);
    nextButton_ = &addButton("go-next", "Next page", &PreviewWindow::nextPage);
    lastButton_ = &addButton("go-last", "Last page", &PreviewWindow::lastPage);
    addButton("zoom-out", "Zoom out", &PreviewWindow::zoomOut);
    addButton("zoom-in", "Zoom in", &PreviewWindow::zoomIn);
    addButton("zoom-fit-best", "Fit width", &PreviewWindow::fitWidth);
    addButton("view-fullscreen", "Whole page", &PreviewWindow::wholePage);
    addButton("document-print", "Print", &PreviewWindow::printDocument);
    addButton("document-save-as", "Save as PDF", &PreviewWindow::saveAsPdf);

    scroller_.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    scroller_.add(view_);
    scroller_.signal_size_allocate().connect(
        [this](Gtk::Allocation& area) { view_.setViewSize(area.get_width(), area.get_height()); });
    findEntry_.set_width_chars(30);
    findEntry_.set_placeholder_text("Find");
    findBar_.pack_start(findEntry_, Gtk::PACK_SHRINK, 4);
    findBar_.pack_start(findStatus_, Gtk::PACK_SHRINK);
    findBar_.show_all();
    findBar_.set_no_show_all(true);
    findBar_.hide();

    layout_.pack_start(toolbar_, Gtk::PACK_SHRINK);
    layout_.pack_start(findBar_, Gtk::PACK_SHRINK);
    layout_.pack_start(scroller_, Gtk::PACK_EXPAND_WIDGET);
    add(layout_);

    signal_key_press_event().connect(sigc::mem_fun(*this, &PreviewWindow::onKeyPress), false);
    setDocument(std::move(document));
    show_all();
    view_.grab_focus();
}

PreviewWindow::~PreviewWindow() {
    firstDraw_.disconnect();
    layoutIdle_.disconnect();
    searchIdle_.disconnect();
}

Gtk::Button& PreviewWindow::addButton(const char* icon, const char* tooltip,
                                      void (PreviewWindow::*action)()) {
    auto button = std::make_unique<Gtk::Button>();
    button->set_image_from_icon_name(icon, Gtk::ICON_SIZE_LARGE_TOOLBAR);
    button->set_tooltip_text(tooltip);
    button->set_relief(Gtk::RELIEF_NONE);
    button->set_can_focus(false);
    button->signal_clicked().connect([this, action] { (this->*action)(); });
    toolbar_.pack_start(*button, Gtk::PACK_SHRINK);
    buttons_.push_back(std::move(button));
    return *buttons_.back();
}

void PreviewWindow::setDocument(std::shared_ptr<const PageDocument> document) {
    const int page = view_.page();
    stopLayout();
    if (search_)
        endSearch("");
    matchText_.clear();
    matches_.clear();
    view_.setMarks(-1, {}, -1);
    layoutFailure_.clear();
    document_ = std::move(document);
    set_title(document_->title());
    view_.setDocument(document_);
    // A report run again stays on its page when it still has one.
    if (page >= document_->pageCount() && !document_->pageCountFinal()) {
        try {
            document_->layOutMore(PageDocument::Clock::time_point::max(), page);
        } catch (const std::exception& e) {
            layoutFailure_ = e.what();
        }
    }
    view_.setPage(page < document_->pageCount() ? page : 0);
    // The rest is laid out once the first page is on screen, so that nothing
    // stands between the host's call and that page.
    if (!document_->pageCountFinal() && layoutFailure_.empty()) {
        layingOut_ = true;
        firstDraw_ = view_.signal_draw().connect(
            [this](const Cairo::RefPtr<Cairo::Context>&) {
                firstDraw_.disconnect();
                startLayout();
                return false;
            },
            false);
    }
    refreshControls();
}

void PreviewWindow::startLayout() {
    layoutIdle_.disconnect();
    if (!layingOut_)
        return;
    layoutIdle_ = Glib::signal_idle().connect(sigc::mem_fun(*this, &PreviewWindow::layOutSlice));
}

bool PreviewWindow::layOutSlice() {
    bool more = false;
    try {
        more = document_->layOutMore(PageDocument::Clock::now() + kSlice);
    } catch (const std::exception& e) {
        layoutFailed(e.what());
        return false;
    }
    if (!more) {
        layingOut_ = false;
        // Every page footer shows the final count now, the one on screen too.
        view_.queue_draw();
    } else {
        progress_.pulse();
    }
    refreshControls();
    return more;
}

void PreviewWindow::stopLayout() {
    firstDraw_.disconnect();
    layoutIdle_.disconnect();
    if (!layingOut_)
        return;
    layingOut_ = false;
    refreshControls();
}

void PreviewWindow::layoutFailed(const std::string& reason) {
    layingOut_ = false;
    layoutFailure_ = reason;
    layoutIdle_.disconnect();
    refreshControls();
}

bool PreviewWindow::finishLayout() {
    if (document_->pageCountFinal())
        return true;
    stopLayout();
    progress_.set_text("Laying out every page");
    // The window is left waiting while the rest is laid out, so it says so.
    if (auto window = get_window()) {
        window->set_cursor(Gdk::Cursor::create(get_display(), "wait"));
        get_display()->flush();
    }
    try {
        while (document_->layOutMore(PageDocument::Clock::time_point::max())) {
        }
    } catch (const std::exception& e) {
        layoutFailed(e.what());
    }
    if (auto window = get_window())
        window->set_cursor();
    refreshControls();
    view_.queue_draw();
    return document_->pageCountFinal();
}

void PreviewWindow::on_hide() {
    stopLayout();
    if (search_)
        endSearch("");
    Gtk::Window::on_hide();
}

void PreviewWindow::showPage(int index) {
    if (index >= document_->pageCount() && !document_->pageCountFinal()) {
        try {
            document_->layOutMore(PageDocument::Clock::time_point::max(), index);
        } catch (const std::exception& e) {
            layoutFailed(e.what());
        }
    }
    if (index < 0 || index >= document_->pageCount() || index == view_.page())
        return;
    view_.setPage(index);
    scroller_.get_vadjustment()->set_value(0);
    refreshControls();
}

void PreviewWindow::refreshControls() {
    const int count = document_->pageCount();
    const int page = view_.page();
    pageEntry_.set_text(count == 0 ? "" : std::to_string(page + 1));
    const bool final = document_->pageCountFinal();
    pageCountLabel_.set_text("of " + std::to_string(count) + (final ? "" : "+"));
    firstButton_->set_sensitive(page > 0);
    previousButton_->set_sensitive(page > 0);
    nextButton_->set_sensitive(page + 1 < count || !final);
    lastButton_->set_sensitive(page + 1 < count);

    progress_.set_tooltip_text(layoutFailure_);
    if (!layoutFailure_.empty())
        progress_.set_text("Layout failed after " + std::to_string(count) + " pages");
    else if (layingOut_)
        progress_.set_text("Laying out: " + std::to_string(count) + " pages");
    else if (!final)
        progress_.set_text("Layout stopped at " + std::to_string(count) + " pages");
    if (!layingOut_)
        progress_.set_fraction(0);
    progress_.set_visible(!final || !layoutFailure_.empty());
}

void PreviewWindow::onPageEntered() {
    const std::string text = pageEntry_.get_text();
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc() && end == text.data() + text.size())
        showPage(number - 1);
    refreshControls();
    view_.grab_focus();
}

ZoomMode PreviewWindow::zoomMode() const noexcept {
    return view_.zoom().mode();
}

void PreviewWindow::zoomIn() {
    view_.zoom().zoomIn(view_.scale());
    applyZoom();
}

void PreviewWindow::zoomOut() {
    view_.zoom().zoomOut(view_.scale());
    applyZoom();
}

void PreviewWindow::fitWidth() {
    view_.zoom().fitWidth();
    applyZoom();
}

void PreviewWindow::wholePage() {
    view_.zoom().wholePage();
    applyZoom();
}

void PreviewWindow::applyZoom() {
    view_.setDocument(document_);
}

bool PreviewWindow::onKeyPress(GdkEventKey* event) {
    const bool control = (event->state & GDK_CONTROL_MASK) != 0;
    // Home and End belong to the page number while it is being typed.
    const bool typing = pageEntry_.has_focus() || findEntry_.is_focus();
    switch (event->keyval) {
    case GDK_KEY_Page_Up:
    case GDK_KEY_KP_Page_Up:
        previousPage();
        return true;
    case GDK_KEY_Page_Down:
    case GDK_KEY_KP_Page_Down:
        nextPage();
        return true;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
        if (typing)
            return false;
        firstPage();
        return true;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
        if (typing)
            return false;
        lastPage();
        return true;
    case GDK_KEY_Escape:
        // One thing at a time: the find bar, then the layout, then the window.
        if (findBar_.get_visible())
            closeFind();
        else if (layingOut_)
            stopLayout();
        else
            hide();
        return true;
    case GDK_KEY_f:
    case GDK_KEY_F:
        if (!control)
            return false;
        openFind();
        return true;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
        if (!findEntry_.is_focus())
            return false;
        findNext((event->state & GDK_SHIFT_MASK) == 0);
        return true;
    case GDK_KEY_plus:
    case GDK_KEY_equal:
    case GDK_KEY_KP_Add:
        if (!control)
            return false;
        zoomIn();
        return true;
    case GDK_KEY_minus:
    case GDK_KEY_KP_Subtract:
        if (!control)
            return false;
        zoomOut();
        return true;
    case GDK_KEY_p:
    case GDK_KEY_P:
        if (!control)
            return false;
        printDocument();
        return true;
    default:
        return false;
    }
}

void PreviewWindow::openFind() {
    findBar_.show();
    findEntry_.grab_focus();
    findEntry_.select_region(0, -1);
}

void PreviewWindow::closeFind() {
    if (search_)
        endSearch("");
    findBar_.hide();
    view_.setMarks(-1, {}, -1);
    matchText_.clear();
    matches_.clear();
    selectedMatch_ = -1;
    view_.grab_focus();
}

void PreviewWindow::findNext(bool forward) {
    if (search_)
        endSearch("");
    const std::string text = findEntry_.get_text();
    if (text.empty())
        return;
    const int page = currentPage();
    const bool again = text == matchText_ && page == matchPage_ && !matches_.empty();
    if (again) {
        const int next = selectedMatch_ + (forward ? 1 : -1);
        if (next >= 0 && next < static_cast<int>(matches_.size())) {
            selectMatch(page, matches_, next);
            return;
        }
    }
    Search search;
    search.text = text;
    search.forward = forward;
    if (forward) {
        // A new text counts the matches on the page shown first.
        const int from = again ? page + 1 : page;
        search.ranges = {{from, INT_MAX}, {0, from}};
    } else {
        // Earlier pages are walked forwards, keeping the last page with matches:
        // the pages just before first, which is where the match usually is.
        const int near = std::max(0, page - kPagesSearchedBack);
        search.ranges = {{near, page}, {0, near}, {page + 1, INT_MAX}, {page, page + 1}};
    }
    search.page = search.ranges.front().first;
    search_ = std::move(search);
    findStatus_.set_text("Searching");
    searchIdle_ = Glib::signal_idle().connect(sigc::mem_fun(*this, &PreviewWindow::searchSlice));
}

bool PreviewWindow::searchSlice() {
    Search& search = *search_;
    const auto deadline = PageDocument::Clock::now() + kSlice;
    try {
        while (PageDocument::Clock::now() < deadline) {
            const Search::Range& range = search.ranges[search.range];
            bool rangeDone = search.page >= range.end;
            if (!rangeDone && search.page >= document_->pageCount()) {
                // Pages not laid out yet are laid out for the search, whether
                // or not the layout runs in the background.
                const bool more =
                    !document_->pageCountFinal() && document_->layOutMore(deadline, search.page);
                refreshControls();
                if (search.page >= document_->pageCount()) {
                    if (more)
                        continue;
                    rangeDone = true;
                }
            }
            if (rangeDone) {
                if (search.hitPage >= 0) {
                    const int last = static_cast<int>(search.hits.size()) - 1;
                    selectMatch(search.hitPage, std::move(search.hits), search.forward ? 0 : last);
                    return false;
                }
                if (++search.range == search.ranges.size()) {
                    endSearch("No matches");
                    return false;
                }
                search.page = search.ranges[search.range].first;
                continue;
            }
            std::vector<PageRect> found = document_->find(search.page, search.text);
            if (!found.empty()) {
                search.hitPage = search.page;
                search.hits = std::move(found);
                if (search.forward) {
                    selectMatch(search.hitPage, std::move(search.hits), 0);
                    return false;
                }
            }
            ++search.page;
        }
    } catch (const std::exception& e) {
        endSearch(std::string("The search stopped: ") + e.what());
        return false;
    }
    findStatus_.set_text("Searching page " + std::to_string(search.page + 1));
    return true;
}

void PreviewWindow::selectMatch(int page, std::vector<PageRect> matches, int index) {
    matchText_ = search_ ? search_->text : matchText_;
    if (search_)
        endSearch("");
    showPage(page);
    matchPage_ = page;
    matches_ = std::move(matches);
    selectedMatch_ = index;
    view_.setMarks(page, matches_, index);
    findStatus_.set_text("Match " + std::to_string(index + 1) + " of " +
                         std::to_string(matches_.size()) + " on page " + std::to_string(page + 1));
    // Zoomed in, the match may lie below or above what is in view.
    auto adjustment = scroller_.get_vadjustment();
    const double y = view_.pixelY(matches_[static_cast<std::size_t>(index)].top);
    if (y < adjustment->get_value() ||
        y > adjustment->get_value() + adjustment->get_page_size() * 0.8)
        adjustment->set_value(std::max(0.0, y - adjustment->get_page_size() / 3));
}

void PreviewWindow::endSearch(const std::string& status) {
    searchIdle_.disconnect();
    search_.reset();
    findStatus_.set_text(status);
}

void PreviewWindow::printDocument() {
    if (!finishLayout()) {
        showError("The report could not be printed.", layoutFailure_);
        return;
    }
    try {
        PrintOptions options;
        options.showPrinterDialog = true;
        options.currentPage = currentPage();
        options.printFile = printFile_;
        print(*document_, options);
    } catch (const std::exception& e) {
        showError("The report could not be printed.", e.what());
    }
}

void PreviewWindow::saveAsPdf() {
    Gtk::FileChooserDialog chooser(*this, "Save as PDF", Gtk::FILE_CHOOSER_ACTION_SAVE);
    chooser.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
    chooser.add_button("_Save", Gtk::RESPONSE_ACCEPT);
    chooser.set_default_response(Gtk::RESPONSE_ACCEPT);
    chooser.set_do_overwrite_confirmation(true);
    chooser.set_current_name(suggestedFileName(document_->title()));
    auto filter = Gtk::FileFilter::create();
    filter->set_name("PDF documents");
    filter->add_pattern("*.pdf");
    chooser.add_filter(filter);
    if (chooser.run() != Gtk::RESPONSE_ACCEPT)
        return;
    const std::string path = chooser.get_filename();
    chooser.hide();
    if (!finishLayout()) {
        showError("The report could not be saved.", layoutFailure_);
        return;
    }
    try {
        writePdf(*document_, path);
    } catch (const std::exception& e) {
        showError("The report could not be saved.", e.what());
    }
}

void PreviewWindow::showError(const std::string& what, const std::string& reason) {
    Gtk::MessageDialog message(*this, what, false, Gtk::MESSAGE_ERROR, Gtk::BUTTONS_OK, true);
    message.set_secondary_text(reason);
    message.run();
}

} // namespace vorn::engine
