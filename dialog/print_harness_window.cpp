#include "dialog/print_harness_window.h"

#include "dialog/embedded_icons.h"
#include "dialog/print_harness_layout.h"

#include <gdkmm/pixbufloader.h>
#include <gdkmm/screen.h>
#include <gtkmm/cellrendererpixbuf.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/stylecontext.h>

#include <array>

namespace vorn::dialog {

namespace {

constexpr const char* kWindowName = "frmPrintHarness";

// Tahoma 8.25 pt for every control, and the theme's paddings taken down far
// enough that each control fits the size the layout gives it.
constexpr const char* kStyle = R"css(
#frmPrintHarness, #frmPrintHarness * {
    font-family: Tahoma; font-size: 8.25pt; font-weight: normal;
}
#frmPrintHarness button { padding: 0 4px; min-height: 0; min-width: 0; }
#frmPrintHarness radiobutton { padding: 0; min-height: 0; }
#frmPrintHarness radiobutton radio { min-width: 11px; min-height: 11px; margin: 0 5px 0 0; }
#frmPrintHarness frame > border { border-radius: 0; }
)css";

void installStyle() {
    // Once per process: the rules apply to every window of that name.
    static const Glib::RefPtr<Gtk::CssProvider> provider = [] {
        auto css = Gtk::CssProvider::create();
        css->load_from_data(kStyle);
        Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), css,
                                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        return css;
    }();
}

double screenDotsPerInch() {
    const double resolution = Gdk::Screen::get_default()->get_resolution();
    return resolution > 0 ? resolution : 96.0;
}

Glib::RefPtr<Gdk::Pixbuf> loadIcon(int icon) {
    static constexpr std::array<const char*, 4> kFiles{"list.gif", "detail.gif", "project.gif",
                                                       "user.gif"};
    const std::string_view bytes = icons::findFile(kFiles.at(icon - 1)).value();
    auto loader = Gdk::PixbufLoader::create();
    loader->write(reinterpret_cast<const guint8*>(bytes.data()), bytes.size());
    loader->close();
    return loader->get_pixbuf();
}

struct Entry {
    const char* text;
    const char* key;
    int icon;
};

constexpr std::array<Entry, 4> kEntries{{
    {"        Item List Report", "List", 1},
    {"        Item Detail Report", "Detail", 2},
    {"        Project Status Report", "Project", 3},
    {"        User Status Report", "User", 4},
}};

struct RangeCaptions {
    const char* selected;
    const char* all;
    bool portrait;
};

// By the position of the selected entry.
constexpr std::array<RangeCaptions, 4> kReportOptions{{
    {"Only &selected rows", "&All rows", false},
    {"Only &selected rows", "&All rows", true},
    {"Only &selected projects", "&All projects", true},
    {"&Current User", "&All users", true},
}};

} // namespace

Glib::ustring mnemonicLabel(const std::string& caption) {
    std::string label;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const bool marker = caption[i] == '&' && i + 1 < caption.size();
        if (marker && caption[i + 1] == '&')
            label += caption[++i];
        else if (marker)
            label += '_';
        else
            label += caption[i] == '_' ? "__" : std::string(1, caption[i]);
    }
    return label;
}

PrintHarnessWindow::PrintHarnessWindow(std::int16_t listOnly)
    : entries_(Gtk::ListStore::create(columns_)), dotsPerInch_(screenDotsPerInch()),
      fraReportLabel_(mnemonicLabel("Select &Report"), true), fraPrintRange_("Print Range"),
      optSelected_(mnemonicLabel("Only &selected rows"), true),
      optAll_(mnemonicLabel("&All rows"), true), fraOrientation_("Orientation"),
      optPortrait_(mnemonicLabel("&Portrait"), true),
      optLandscape_(mnemonicLabel("&Landscape"), true), butOK_("OK"), Command1_("Cancel") {
    installStyle();
    set_name(kWindowName);
    set_title("Print");
    set_modal(true);
    set_resizable(false);
    set_skip_taskbar_hint(true);
    set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
    set_position(Gtk::WIN_POS_CENTER);
    // Access keys stay underlined, not only while Alt is held.
    set_mnemonics_visible(true);
    property_mnemonics_visible().signal_changed().connect([this] {
        if (!get_mnemonics_visible())
            set_mnemonics_visible(true);
    });
    buildControls();

    // The load.
    if (listOnly == 1) {
        addEntry(kEntries[0].text, kEntries[0].key, kEntries[0].icon);
        addEntry(kEntries[1].text, kEntries[1].key, kEntries[1].icon);
        fraPrintRange_.set_sensitive(false);
        optSelected_.set_sensitive(false);
        optAll_.set_sensitive(false);
    } else {
        for (const Entry& entry : kEntries)
            addEntry(entry.text, entry.key, entry.icon);
    }
    lvwReports_.set_cursor(Gtk::TreePath("0"));
    lvwReports_.grab_focus();
}

void PrintHarnessWindow::place(Gtk::Widget& widget, const char* name) {
    const TwipRect rect = clientRect(name);
    widget.set_name(name);
    widget.set_size_request(twipsToPixels(rect.width, dotsPerInch_),
                            twipsToPixels(rect.height, dotsPerInch_));
    client_.put(widget, twipsToPixels(rect.left, dotsPerInch_),
                twipsToPixels(rect.top, dotsPerInch_));
}

void PrintHarnessWindow::buildControls() {
    client_.set_size_request(twipsToPixels(kClientWidth, dotsPerInch_),
                             twipsToPixels(kClientHeight, dotsPerInch_));
    add(client_);

    // Frames first, so that the controls inside them are drawn over them.
    fraReport_.set_label_widget(fraReportLabel_);
    fraReportLabel_.set_mnemonic_widget(lvwReports_);
    place(fraReport_, "fraReport");
    place(fraPrintRange_, "fraPrintRange");
    place(fraOrientation_, "fraOrientation");

    auto* icon = Gtk::make_managed<Gtk::CellRendererPixbuf>();
    auto* text = Gtk::make_managed<Gtk::CellRendererText>();
    clmReportName_.pack_start(*icon, false);
    clmReportName_.add_attribute(icon->property_pixbuf(), columns_.icon);
    clmReportName_.pack_start(*text, true);
    clmReportName_.add_attribute(text->property_text(), columns_.text);
    lvwReports_.set_model(entries_);
    lvwReports_.append_column(clmReportName_);
    lvwReports_.set_headers_visible(false);
    lvwReports_.set_enable_search(false);
    lvwReports_.get_selection()->set_mode(Gtk::SELECTION_SINGLE);
    lvwReportsBorder_.set_shadow_type(Gtk::SHADOW_IN);
    lvwReportsBorder_.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    lvwReportsBorder_.add(lvwReports_);
    place(lvwReportsBorder_, "lvwReports");
    lvwReports_.set_name("lvwReports");

    optAll_.join_group(optSelected_);
    optSelected_.set_active(true);
    optPortrait_.join_group(optLandscape_);
    optLandscape_.set_active(true);
    place(optSelected_, "optSelected");
    place(optAll_, "optAll");
    place(optPortrait_, "optPortrait");
    place(optLandscape_, "optLandscape");
    place(butOK_, "butOK");
    place(Command1_, "Command1");
    butOK_.set_can_default(true);
    set_default(butOK_);

    lvwReports_.signal_button_release_event().connect(
        [this](GdkEventButton*) {
            SetReportOptions();
            return false;
        },
        false);
    lvwReports_.signal_key_release_event().connect(
        [this](GdkEventKey*) {
            SetReportOptions();
            return false;
        },
        false);
    // Enter in the list activates its row rather than the default button.
    lvwReports_.signal_row_activated().connect(
        [this](const Gtk::TreePath&, Gtk::TreeViewColumn*) { butOK_Click(); });
    butOK_.signal_clicked().connect([this] { butOK_Click(); });
    Command1_.signal_clicked().connect([this] { Command1_Click(); });
    client_.show_all();
}

void PrintHarnessWindow::addEntry(const char* text, const char* key, int icon) {
    Gtk::TreeRow row = *entries_->append();
    row[columns_.text] = text;
    row[columns_.key] = key;
    row[columns_.icon] = loadIcon(icon);
}

int PrintHarnessWindow::selectedPosition() {
    const auto selected = lvwReports_.get_selection()->get_selected();
    if (!selected)
        return 0;
    return entries_->get_path(selected)[0] + 1;
}

void PrintHarnessWindow::SetReportOptions() {
    const int position = selectedPosition();
    if (position < 1 || position > 4)
        return;
    const RangeCaptions& options = kReportOptions[position - 1];
    optSelected_.set_label(mnemonicLabel(options.selected));
    optAll_.set_label(mnemonicLabel(options.all));
    (options.portrait ? optPortrait_ : optLandscape_).set_active(true);
}

void PrintHarnessWindow::butOK_Click() {
    if (!modalLoop_ || choice_)
        return;
    choice_ = ChooserChoice{selectedPosition(), optAll_.get_active(), optPortrait_.get_active()};
    modalLoop_->quit();
}

void PrintHarnessWindow::Command1_Click() {
    if (modalLoop_)
        modalLoop_->quit();
}

bool PrintHarnessWindow::on_key_press_event(GdkEventKey* event) {
    const auto modifiers = event->state & gtk_accelerator_get_default_mod_mask();
    if (event->keyval == GDK_KEY_Escape && modifiers == 0) {
        Command1_Click();
        return true;
    }
    if ((event->keyval == GDK_KEY_Tab || event->keyval == GDK_KEY_ISO_Left_Tab ||
         event->keyval == GDK_KEY_KP_Tab) &&
        (modifiers & ~GDK_SHIFT_MASK) == 0) {
        moveFocusInTabOrder((modifiers & GDK_SHIFT_MASK) == 0 &&
                            event->keyval != GDK_KEY_ISO_Left_Tab);
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

bool PrintHarnessWindow::on_delete_event(GdkEventAny*) {
    Command1_Click();
    return true; // the owner of the window unloads it
}

void PrintHarnessWindow::on_realize() {
    Gtk::Window::on_realize();
    // Asks the window manager for a title bar with a close box only.
    get_window()->set_functions(Gdk::FUNC_MOVE | Gdk::FUNC_CLOSE);
}

void PrintHarnessWindow::moveFocusInTabOrder(bool forward) {
    // Tab stops in TabIndex order; the frames take no focus.
    const std::array<Gtk::Widget*, 7> stops{&lvwReports_, &optAll_,      &optSelected_, &butOK_,
                                            &Command1_,   &optPortrait_, &optLandscape_};
    auto isStop = [](Gtk::Widget* widget) {
        if (!widget->is_sensitive() || !widget->get_visible())
            return false;
        auto* option = dynamic_cast<Gtk::RadioButton*>(widget);
        return !option || option->get_active();
    };
    const int count = static_cast<int>(stops.size());
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (stops[i]->has_focus())
            current = i;
    for (int step = 1; step <= count; ++step) {
        const int next =
            ((current < 0 ? (forward ? -1 : 0) : current) + (forward ? step : -step) + 2 * count) %
            count;
        if (isStop(stops[next])) {
            stops[next]->grab_focus();
            return;
        }
    }
}

std::optional<ChooserChoice> PrintHarnessWindow::runModal() {
    choice_.reset();
    modalLoop_ = Glib::MainLoop::create();
    show();
    modalLoop_->run();
    modalLoop_.reset();
    hide();
    return choice_;
}

} // namespace vorn::dialog
