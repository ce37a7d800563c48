// GTK is started on first need, not at load time: the component lives in a
// host that may already run GTK, or may never show a window at all.
#pragma once

namespace vorn::engine {

/// Starts GTK and gtkmm once, on the calling thread, and checks that a display
/// is open. Safe to call when the host has started GTK itself.
/// \throws EngineError kFail when no display can be opened.
void ensureGtk();

} // namespace vorn::engine
