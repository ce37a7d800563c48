// Owning handles for the cairo objects the output writers create, and the one
// place that turns a cairo status into the engine's exception.
#pragma once

#include "platform/engine/engine_error.h"

#include <cairo.h>

#include <memory>
#include <string>

namespace vorn::engine {

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const noexcept { cairo_surface_destroy(surface); }
};
struct CairoContextDeleter {
    void operator()(cairo_t* cr) const noexcept { cairo_destroy(cr); }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using CairoContextPtr = std::unique_ptr<cairo_t, CairoContextDeleter>;

/// \throws EngineError (kFail) naming `what` and cairo's reason when `status` is an error.
inline void throwIfCairoFailed(cairo_status_t status, const std::string& what) {
    if (status != CAIRO_STATUS_SUCCESS)
        throw EngineError(error_code::kFail, what + ": " + cairo_status_to_string(status));
}

} // namespace vorn::engine
