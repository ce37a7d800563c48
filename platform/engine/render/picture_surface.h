// Turns a design's picture into a cairo surface once per document. The surface
// carries a unique id so that a PDF embeds a picture drawn on every page only
// once, and JPEG data passes into the PDF as it is.
#pragma once

#include "platform/engine/model/picture.h"

#include <memory>

typedef struct _cairo_surface cairo_surface_t;

namespace vorn::engine {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const;
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

/// \throws EngineError (error_code::kInvalidArgument) when the data cannot be decoded.
SurfacePtr makePictureSurface(const std::shared_ptr<const Picture>& picture);

} // namespace vorn::engine
