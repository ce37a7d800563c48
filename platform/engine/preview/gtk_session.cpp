#include "platform/engine/preview/gtk_session.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/fonts.h"

#include <gtk/gtk.h>
#include <gtkmm/main.h>

namespace vorn::engine {

void ensureGtk() {
    static bool wrappersReady = false;
    // Fonts first: GTK reads the font configuration when it starts.
    ensureFonts();
    if (!gtk_init_check(nullptr, nullptr) || gdk_display_get_default() == nullptr)
        throw EngineError(error_code::kFail,
                          "Cannot show a window: no display is open (DISPLAY is not set or "
                          "its X server cannot be reached)");
    if (!wrappersReady) {
        Gtk::Main::init_gtkmm_internals();
        wrappersReady = true;
    }
}

} // namespace vorn::engine
