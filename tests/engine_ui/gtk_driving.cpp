#include "gtk_driving.h"

#include "platform/engine/preview/preview_registry.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/messagedialog.h>

#include <thread>

namespace vorn::engine::testing {

void pumpEvents(double seconds) {
    pumpUntil([] { return false; }, seconds);
}

bool pumpUntil(const std::function<bool()>& done, double seconds) {
    auto context = Glib::MainContext::get_default();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    // An idle source that never ends (a long layout) keeps the loop busy: the
    // condition and the time are checked between its turns too.
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (context->pending())
            context->iteration(false);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool sendKey(Gtk::Widget& widget, unsigned keyval, unsigned modifiers) {
    // GTK looks for the input window among the parent's children, and a
    // top-level window has no parent: aim at the window's focus instead. The
    // key reaches the window's own handlers first all the same.
    Gtk::Widget* target = &widget;
    if (auto* window = dynamic_cast<Gtk::Window*>(&widget); window && window->get_focus())
        target = window->get_focus();
    return gtk_test_widget_send_key(target->gobj(), keyval,
                                    static_cast<GdkModifierType>(modifiers)) != FALSE;
}

PreviewWindow& showMapped(std::shared_ptr<const PageDocument> document, const std::string& key,
                          std::vector<std::uint8_t> icon) {
    PreviewOptions options;
    options.key = key;
    options.icon = std::move(icon);
    PreviewWindow& window = showPreview(std::move(document), options);
    EXPECT_TRUE(pumpUntil([&] { return window.get_mapped(); }));
    pumpEvents();
    return window;
}

std::shared_ptr<std::string> answerMessageBox() {
    auto shown = std::make_shared<std::string>();
    whenWindowShows<Gtk::MessageDialog>([shown](Gtk::MessageDialog& message) {
        *shown = message.property_secondary_text().get_value();
        message.response(Gtk::RESPONSE_OK);
    });
    return shown;
}

} // namespace vorn::engine::testing
