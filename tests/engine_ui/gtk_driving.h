// Driving GTK from a test: running the main loop as a host would, finding
// windows and sending them keys, answering dialogs that a modal call opens.
#pragma once

#include "platform/engine/preview/preview_window.h"

#include <glibmm/main.h>
#include <gtkmm/container.h>
#include <gtkmm/dialog.h>
#include <gtkmm/window.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace vorn::engine::testing {

/// Runs pending events, as a host's main loop would, for about `seconds`.
void pumpEvents(double seconds = 0.05);
/// Runs events until `done` holds; false after `seconds`.
bool pumpUntil(const std::function<bool()>& done, double seconds = 10);

/// Sends a key press and release to `widget` (a window: to its focus), as the
/// keyboard would. Needs GDK_CORE_DEVICE_EVENTS=1.
bool sendKey(Gtk::Widget& widget, unsigned keyval, unsigned modifiers = 0);

/// Shows `document` in the preview under `key` and waits until it is on screen.
PreviewWindow& showMapped(std::shared_ptr<const PageDocument> document, const std::string& key,
                          std::vector<std::uint8_t> icon = {});

/// Answers the next message box with OK from the main loop; the returned text
/// is its secondary text once it was shown, empty before.
std::shared_ptr<std::string> answerMessageBox();

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
/// `ready` (if given) holds for it; after `seconds` it closes that window
/// instead, so a modal loop never hangs the test. Returns whether `act` ran
/// (read it after the modal call returned).
template <typename T>
std::shared_ptr<bool> whenWindowShows(std::function<void(T&)> act,
                                      std::function<bool(T&)> ready = {}, double seconds = 15) {
    auto acted = std::make_shared<bool>(false);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    Glib::signal_timeout().connect(
        [=]() {
            T* window = findVisibleWindow<T>();
            if (window && (!ready || ready(*window))) {
                act(*window);
                *acted = true;
                return false;
            }
            if (std::chrono::steady_clock::now() <= deadline)
                return true;
            if (auto* dialog = dynamic_cast<Gtk::Dialog*>(window))
                dialog->response(Gtk::RESPONSE_CANCEL);
            else if (window)
                window->hide();
            return false;
        },
        50);
    return acted;
}

/// Answers the visible dialog of type T with ACCEPT from the main loop, again
/// and again until it closes: the file chooser ignores an answer that comes
/// before it has read the folder it was sent to.
template <typename T> void acceptUntilClosed(double seconds = 15) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    Glib::signal_timeout().connect(
        [=]() {
            T* dialog = findVisibleWindow<T>();
            if (!dialog || std::chrono::steady_clock::now() > deadline)
                return false;
            dialog->response(Gtk::RESPONSE_ACCEPT);
            return true;
        },
        100);
}

} // namespace vorn::engine::testing
