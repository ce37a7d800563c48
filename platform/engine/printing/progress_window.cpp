#include "platform/engine/printing/progress_window.h"

#include "platform/engine/printing/progress_text.h"

#include <gdk/gdkkeysyms.h>

namespace vorn::engine {

ProgressWindow::ProgressWindow(const std::string& title) {
    set_title(title.empty() ? "Printing" : "Printing " + title);
    set_resizable(false);
    set_default_size(320, -1);
    set_border_width(12);
    set_position(Gtk::WIN_POS_CENTER);
    // The print lets the host's events run between pages: the host's other
    // windows must not start another print or close a report meanwhile.
    set_modal(true);
    label_.set_xalign(0);
    bar_.set_pulse_step(0.05);
    cancel_.set_halign(Gtk::ALIGN_END);
    cancel_.signal_clicked().connect([this] { cancel(); });
    box_.pack_start(label_, Gtk::PACK_SHRINK);
    box_.pack_start(bar_, Gtk::PACK_SHRINK);
    box_.pack_start(cancel_, Gtk::PACK_SHRINK);
    add(box_);
    box_.show_all();
    signal_key_press_event().connect(sigc::mem_fun(*this, &ProgressWindow::onKeyPress), false);
    // Closing the window stops the print; the window itself stays until the
    // print has ended and its owner lets it go.
    signal_delete_event().connect([this](GdkEventAny*) {
        cancel();
        return true;
    });
}

void ProgressWindow::showProgress(const LayoutProgress& done) {
    label_.set_text(progressText(done));
    if (done.countKnown() && done.pageCount > 0)
        bar_.set_fraction(static_cast<double>(done.pagesDone) / done.pageCount);
    else
        bar_.pulse();
}

bool ProgressWindow::onKeyPress(GdkEventKey* event) {
    if (event->keyval != GDK_KEY_Escape)
        return false;
    cancel();
    return true;
}

} // namespace vorn::engine
