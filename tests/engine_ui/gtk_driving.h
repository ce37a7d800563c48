// Driving GTK from a test: running the main loop as a host would, finding
// widgets and sending them keys.
#pragma once

#include <gtkmm/container.h>
#include <gtkmm/window.h>

#include <functional>

namespace vorn::engine::testing {

/// Runs pending events, as a host's main loop would, for about `seconds`.
void pumpEvents(double seconds = 0.05);
/// Runs events until `done` holds; false after `seconds`.
bool pumpUntil(const std::function<bool()>& done, double seconds = 10);

/// Sends a key press and release to `widget` (a window: to its focus), as the
/// keyboard would. Needs GDK_CORE_DEVICE_EVENTS=1.
bool sendKey(Gtk::Widget& widget, unsigned keyval, unsigned modifiers = 0);

/// The first widget of type T in `root`'s tree (depth first), or nullptr.
template <typename T> T* findWidget(Gtk::Widget& root) {
    if (auto* found = dynamic_cast<T*>(&root))
        return found;
    if (auto* container = dynamic_cast<Gtk::Container*>(&root))
        for (Gtk::Widget* child : container->get_children())
            if (T* found = findWidget<T>(*child))
                return found;
    return nullptr;
}

/// A visible top-level window of type T, or nullptr.
template <typename T> T* findVisibleWindow() {
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (auto* found = dynamic_cast<T*>(window); found && found->get_mapped())
            return found;
    return nullptr;
}

/// Calls `act` from the main loop once a visible window of type T exists and
/// `ready` holds for it; after `seconds` it closes that window instead, so a
/// modal loop never hangs the test. Returns whether `act` ran (read it after the
/// modal call returned).
template <typename T>
std::shared_ptr<bool> whenWindowShows(std::function<bool(T&)> ready, std::function<void(T&)> act,
                                      double seconds = 15);

/// Answers the visible dialog of type T with ACCEPT from the main loop, again
/// and again until it closes: the file chooser ignores an answer that comes
/// before it has read the folder it was sent to.
template <typename T> void acceptUntilClosed(double seconds = 15);

} // namespace vorn::engine::testing

#include "gtk_driving_impl.h"
