// Template part of gtk_driving.h.
#pragma once

#include <glibmm/main.h>
#include <gtkmm/dialog.h>

#include <chrono>
#include <memory>

namespace vorn::engine::testing {

template <typename T>
std::shared_ptr<bool> whenWindowShows(std::function<bool(T&)> ready, std::function<void(T&)> act,
                                      double seconds) {
    auto acted = std::make_shared<bool>(false);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    Glib::signal_timeout().connect(
        [=]() {
            T* window = findVisibleWindow<T>();
            if (window && ready(*window)) {
                act(*window);
                *acted = true;
                return false;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                if (auto* dialog = dynamic_cast<Gtk::Dialog*>(window))
                    dialog->response(Gtk::RESPONSE_CANCEL);
                else if (window)
                    window->hide();
                return false;
            }
            return true;
        },
        50);
    return acted;
}

template <typename T> void acceptUntilClosed(double seconds) {
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
