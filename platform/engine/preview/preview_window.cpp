#include "platform/engine/preview/preview_window.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/printing.h"

#include <gdkmm/pixbufloader.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>

#include <charconv>

namespace vorn::engine {
namespace {

constexpr int kDefaultWidth = 820;
constexpr int kDefaultHeight = 980;

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
    layout_.pack_start(toolbar_, Gtk::PACK_SHRINK);
    layout_.pack_start(scroller_, Gtk::PACK_EXPAND_WIDGET);
    add(layout_);

    signal_key_press_event().connect(sigc::mem_fun(*this, &PreviewWindow::onKeyPress), false);
    setDocument(std::move(document));
    show_all();
    view_.grab_focus();
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
    document_ = std::move(document);
    set_title(document_->title());
    view_.setDocument(document_);
    view_.setPage(page < document_->pageCount() ? page : 0);
    refreshControls();
}

void PreviewWindow::showPage(int index) {
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
    pageCountLabel_.set_text("of " + std::to_string(count));
    firstButton_->set_sensitive(page > 0);
    previousButton_->set_sensitive(page > 0);
    nextButton_->set_sensitive(page + 1 < count);
    lastButton_->set_sensitive(page + 1 < count);
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
    const bool typing = pageEntry_.has_focus();
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
        hide();
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

void PreviewWindow::printDocument() {
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
