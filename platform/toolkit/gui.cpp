#include "platform/toolkit/gui.h"

#include "platform/automation/com_error.h"
#include "platform/toolkit/fonts.h"

#include <gtk/gtk.h>
#include <gtkmm/main.h>

namespace vorn::toolkit {

bool displayAvailable() {
    // Decided once per process: GTK can't be initialised twice, and a display
    // that was missing at first won't be picked up later either.
    static const bool available = [] {
        // Fonts first: GTK reads the font configuration when it starts.
        ensureFonts();
        if (!gdk_display_get_default() && gtk_init_check(nullptr, nullptr) != TRUE)
            return false;
        if (!gdk_display_get_default())
            return false;
        Gtk::Main::init_gtkmm_internals();
        return true;
    }();
    return available;
}

void requireDisplay() {
    if (!displayAvailable())
        throw automation::ComError(automation::E_FAIL,
                                   "Cannot show a window: no display is open (DISPLAY is not set "
                                   "or its X server cannot be reached)");
}

void doEvents() {
    if (!displayAvailable())
        return;
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
}

} // namespace vorn::toolkit
