#include "platform/engine/layout/layout_progress.h"

#include "platform/engine/engine_error.h"

namespace vorn::engine {

void reportProgress(const LayoutProgressCallback& progress, const LayoutProgress& done) {
    if (progress && !progress(done))
        throw EngineError(error_code::kCancelled, "The print was cancelled before it was finished");
}

} // namespace vorn::engine
