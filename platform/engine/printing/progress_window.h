// The small window that stands where the printer dialog would while a long
// print runs: how far it has come, a bar, and Cancel (or Escape, or closing
// the window) to stop it. The print runs on the window's thread, so the
// window lives on the events its owner lets run between pages.
#pragma once

#include "platform/engine/layout/layout_progress.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/window.h>

#include <string>

namespace vorn::engine {

class ProgressWindow : public Gtk::Window {
public:
    /// A window titled after the report `title`; the caller shows it.
    explicit ProgressWindow(const std::string& title);

    /// Shows `done` in the label and the bar (the bar pulses while the page
    /// count is unknown).
    void showProgress(const LayoutProgress& done);
    /// Whether the user asked to stop.
    bool cancelRequested() const { return cancelRequested_; }

    const Gtk::Label& label() const { return label_; }
    const Gtk::ProgressBar& bar() const { return bar_; }
    /// Presses Cancel.
    void cancel() { cancelRequested_ = true; }

private:
    bool onKeyPress(GdkEventKey* event);

    Gtk::Box box_{Gtk::ORIENTATION_VERTICAL, 8};
    Gtk::Label label_;
    Gtk::ProgressBar bar_;
    Gtk::Button cancel_{"_Cancel", true};
    bool cancelRequested_ = false;
};

} // namespace vorn::engine
