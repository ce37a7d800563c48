#include "platform/toolkit/message_box.h"

#include "platform/automation/thread_state.h"
#include "platform/toolkit/gui.h"

#include <gtk/gtk.h>

#include <cstdio>

namespace vorn::toolkit {
namespace {

struct Observer {
    std::function<void(const MessageBoxCall&)> call;
};
std::function<void(const MessageBoxCall&)>& observerSlot() {
    return automation::threadInstance<Observer>().call;
}

GtkMessageType messageType(int style) {
    switch (style & 0x70) {
    case 16:
        return GTK_MESSAGE_ERROR;
    case 32:
        return GTK_MESSAGE_QUESTION;
    case 48:
        return GTK_MESSAGE_WARNING;
    default:
        return GTK_MESSAGE_INFO;
    }
}

} // namespace

void setMessageBoxObserver(std::function<void(const MessageBoxCall&)> observer) {
    observerSlot() = std::move(observer);
}

void msgBox(const std::string& text, int style, const std::string& title) {
    if (auto& observer = observerSlot()) {
        observer({text, style, title});
        return;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return;
    }
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, messageType(style),
                                               GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    doEvents(); // let the closed dialog leave the screen
}

} // namespace vorn::toolkit
