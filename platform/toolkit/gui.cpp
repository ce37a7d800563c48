#include "platform/toolkit/gui.h"

#include <gtk/gtk.h>

namespace vorn::toolkit {

bool displayAvailable() {
    // Decided once per process: GTK can't be initialised twice, and a display
    // that was missing at first won't be picked up later either.
    static const bool available = [] {
        if (gdk_display_get_default())
            return true; // the host runs GTK already
        return gtk_init_check(nullptr, nullptr) == TRUE;
    }();
    return available;
}

void doEvents() {
    if (!displayAvailable())
        return;
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
}

} // namespace vorn::toolkit
