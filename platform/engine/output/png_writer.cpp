#include "platform/engine/output/png_writer.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/cairo_handles.h"
#include "platform/engine/page_document.h"

#include <cmath>

namespace vorn::engine {
namespace {

// cairo's image surfaces stop at this many pixels a side.
constexpr double kLargestSide = 32767.0;

int pixelsFor(double points, double scale) {
    const double pixels = std::ceil(points * scale - 1e-9);
    if (!(pixels >= 1.0 && pixels <= kLargestSide))
        throw EngineError(error_code::kInvalidArgument,
                          "The resolution gives a picture of " + std::to_string(pixels) +
                              " pixels a side, which cannot be drawn");
    return static_cast<int>(pixels);
}

} // namespace

void writePng(const PageDocument& document, int page, const std::string& path, double dpi) {
    if (page < 0 || page >= document.pageCount())
        throw EngineError(error_code::kBadIndex, "The report has no page " +
                                                     std::to_string(page + 1) + " (it has " +
                                                     std::to_string(document.pageCount()) + ")");
    if (!(dpi > 0.0) || !std::isfinite(dpi))
        throw EngineError(error_code::kInvalidArgument,
                          "The resolution must be a positive number of dots per inch");
    const double scale = dpi / 72.0;
    const PageSize size = document.pageSize();
    CairoSurfacePtr surface(cairo_image_surface_create(
        CAIRO_FORMAT_RGB24, pixelsFor(size.width, scale), pixelsFor(size.height, scale)));
    throwIfCairoFailed(cairo_surface_status(surface.get()), "Cannot make the page picture");

    CairoContextPtr cr(cairo_create(surface.get()));
    cairo_set_source_rgb(cr.get(), 1.0, 1.0, 1.0);
    cairo_paint(cr.get());
    cairo_scale(cr.get(), scale, scale);
    document.paint(page, cr.get());
    throwIfCairoFailed(cairo_status(cr.get()), "Cannot draw the page picture");
    cr.reset();

    cairo_surface_flush(surface.get());
    throwIfCairoFailed(cairo_surface_write_to_png(surface.get(), path.c_str()),
                       "Cannot write the file \"" + path + "\"");
}

} // namespace vorn::engine
