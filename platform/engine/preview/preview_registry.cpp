#include "platform/engine/preview/preview_registry.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/preview/preview_window.h"
#include "platform/toolkit/gui.h"

#include <glibmm/main.h>

#include <map>

namespace vorn::engine {
namespace {

using Windows = std::map<std::string, std::unique_ptr<PreviewWindow>>;

Windows& openWindows() {
    static Windows windows;
    return windows;
}

// A window is deleted only once its hide signal has finished, from an idle
// callback: deleting it inside its own signal handler would pull the object
// from under GTK.
void forgetWhenHidden(const std::string& key, PreviewWindow& window) {
    window.signal_hide().connect([key, &window] {
        Glib::signal_idle().connect_once([key, &window] {
            auto& windows = openWindows();
            auto found = windows.find(key);
            if (found != windows.end() && found->second.get() == &window && !window.is_visible())
                windows.erase(found);
        });
    });
}

} // namespace

PreviewWindow& showPreview(std::shared_ptr<const PageDocument> document,
                           const PreviewOptions& options) {
    if (!document || document->pageCount() <= 0)
        throw EngineError(error_code::kInvalidArgument, "The report has no pages to preview");
    toolkit::requireDisplay();
    auto& windows = openWindows();
    if (auto found = windows.find(options.key); found != windows.end()) {
        PreviewWindow& window = *found->second;
        window.setDocument(std::move(document));
        window.setPrintFile(options.printFile);
        window.present();
        return window;
    }
    auto window = std::make_unique<PreviewWindow>(std::move(document), options);
    PreviewWindow& shown = *window;
    forgetWhenHidden(options.key, shown);
    windows.emplace(options.key, std::move(window));
    return shown;
}

PreviewWindow* findPreview(const std::string& key) {
    auto& windows = openWindows();
    auto found = windows.find(key);
    return found == windows.end() ? nullptr : found->second.get();
}

void closeAllPreviews() noexcept {
    openWindows().clear();
}

} // namespace vorn::engine
