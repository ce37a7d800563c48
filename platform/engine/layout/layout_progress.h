// How far a long layout has come, told to whoever watches it (a progress
// window, a line on a terminal), and the watcher's answer: go on or stop.
#pragma once

#include <functional>

namespace vorn::engine {

struct LayoutProgress {
    static constexpr int kUnknown = -1;

    /// Pages finished so far.
    int pagesDone = 0;
    /// The report's page count; kUnknown while the pages are still being counted.
    int pageCount = kUnknown;

    bool countKnown() const { return pageCount != kUnknown; }
};

/// Called as pages are finished; returns false to stop the work.
using LayoutProgressCallback = std::function<bool(const LayoutProgress&)>;

/// Tells `progress` (when set) how far the work has come.
/// \throws EngineError (error_code::kCancelled) when it answers to stop.
void reportProgress(const LayoutProgressCallback& progress, const LayoutProgress& done);

} // namespace vorn::engine
