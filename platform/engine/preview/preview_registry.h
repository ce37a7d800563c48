// The open preview windows, one per report. Showing returns at once: the
// windows live on while the host runs its GTK main loop or pending events.
#pragma once

#include "platform/engine/page_document.h"
#include "platform/engine/preview/preview_options.h"

#include <memory>
#include <string>

namespace vorn::engine {

class PreviewWindow;

/// Shows `document` in the preview window of options.key: opens the window, or
/// refreshes and raises the one already open for that key (keeping its page
/// when the new document still has it). Returns without waiting for the window
/// to close.
/// \throws EngineError kFail when no display is open, kInvalidArgument for a
///         document of no pages or an icon that is no picture.
PreviewWindow& showPreview(std::shared_ptr<const PageDocument> document,
                           const PreviewOptions& options);

/// The open preview window of `key`, or nullptr.
PreviewWindow* findPreview(const std::string& key);

/// Closes every preview window, as when the component is unloaded.
void closeAllPreviews() noexcept;

} // namespace vorn::engine
