// The report chooser's window: the list of reports, the print range and the
// orientation, laid out in twips at the screen's resolution, with OK as the
// default button and Cancel, Escape and closing the window as cancel.
#pragma once

#include "dialog/chooser_choice.h"

#include <glibmm/main.h>
#include <gtkmm/button.h>
#include <gtkmm/fixed.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/radiobutton.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace vorn::dialog {

class PrintHarnessWindow final : public Gtk::Window {
public:
    /// Loads the window: fills the list for the mode (1: the two item reports
    /// and a locked print range; else all four) and selects its first entry.
    explicit PrintHarnessWindow(std::int16_t listOnly);

    /// Shows the window modally, without an owner, and waits until the user
    /// pressed OK (the choice, read from the controls) or cancelled (nothing).
    std::optional<ChooserChoice> runModal();

    /// Sets the print range captions and the orientation for the selected entry.
    void SetReportOptions();
    /// 1-based position of the selected entry; 0 when none is selected.
    int selectedPosition();

protected:
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_delete_event(GdkEventAny* event) override;
    void on_realize() override;

private:
    struct Columns : Gtk::TreeModelColumnRecord {
        Columns() {
            add(icon);
            add(text);
            add(key);
        }
        Gtk::TreeModelColumn<Glib::RefPtr<Gdk::Pixbuf>> icon;
        Gtk::TreeModelColumn<Glib::ustring> text;
        Gtk::TreeModelColumn<Glib::ustring> key;
    };

    void buildControls();
    void place(Gtk::Widget& widget, const char* name);
    void addEntry(const char* text, const char* key, int icon);
    void butOK_Click();
    void Command1_Click();
    /// Moves the focus along the TabIndex order; an option group is one stop,
    /// at its selected button.
    void moveFocusInTabOrder(bool forward);

    Columns columns_;
    Glib::RefPtr<Gtk::ListStore> entries_;
    Glib::RefPtr<Glib::MainLoop> modalLoop_;
    std::optional<ChooserChoice> choice_;
    double dotsPerInch_;

    Gtk::Fixed client_;
    Gtk::Frame fraReport_;
    Gtk::Label fraReportLabel_;
    Gtk::ScrolledWindow lvwReportsBorder_;
    Gtk::TreeView lvwReports_;
    Gtk::TreeViewColumn clmReportName_;
    Gtk::Frame fraPrintRange_;
    Gtk::RadioButton optSelected_;
    Gtk::RadioButton optAll_;
    Gtk::Frame fraOrientation_;
    Gtk::RadioButton optPortrait_;
    Gtk::RadioButton optLandscape_;
    Gtk::Button butOK_;
    Gtk::Button Command1_;
};

/// A caption with its "&" access key as GTK's mnemonic underscore: "Select
/// &Report" becomes "Select _Report", "&&" a literal "&", "_" a literal "_".
Glib::ustring mnemonicLabel(const std::string& caption);

} // namespace vorn::dialog
