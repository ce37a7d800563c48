#include "platform/engine/render/picture_surface.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/render/gobject_ptr.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace vorn::engine {
namespace {

struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

GObjectPtr<GdkPixbuf> decode(const std::string& bytes) {
    GObjectPtr<GdkPixbufLoader> loader(gdk_pixbuf_loader_new());
    GError* error = nullptr;
    bool ok = gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()),
                                      bytes.size(), &error) &&
              gdk_pixbuf_loader_close(loader.get(), &error);
    std::string why = error ? error->message : "unknown format";
    if (error)
        g_error_free(error);
    GdkPixbuf* pixbuf = ok ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;
    if (!pixbuf)
        throw EngineError(error_code::kInvalidArgument, "Picture cannot be decoded: " + why);
    return GObjectPtr<GdkPixbuf>(static_cast<GdkPixbuf*>(g_object_ref(pixbuf)));
}

/// Copies a pixbuf into a cairo image: premultiplied native-endian ARGB.
SurfacePtr toSurface(GdkPixbuf* pixbuf) {
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
    SurfacePtr surface(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24,
                                                  width, height));
    cairo_surface_flush(surface.get());
    unsigned char* out = cairo_image_surface_get_data(surface.get());
    const int outStride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y) {
        const guchar* src = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        auto* dst =
            reinterpret_cast<std::uint32_t*>(out + static_cast<std::ptrdiff_t>(y) * outStride);
        for (int x = 0; x < width; ++x, src += channels) {
            std::uint32_t a = alpha ? src[3] : 255;
            auto mul = [a](guchar c) { return static_cast<std::uint32_t>((c * a + 127) / 255); };
            dst[x] = (a << 24) | (mul(src[0]) << 16) | (mul(src[1]) << 8) | mul(src[2]);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

void releaseKeptBytes(void* data) {
    std::unique_ptr<std::shared_ptr<const Picture>> owner(
        static_cast<std::shared_ptr<const Picture>*>(data));
}

} // namespace

void SurfaceDeleter::operator()(cairo_surface_t* surface) const {
    cairo_surface_destroy(surface);
}

SurfacePtr makePictureSurface(const std::shared_ptr<const Picture>& picture) {
    auto pixbuf = decode(picture->bytes());
    SurfacePtr surface = toSurface(pixbuf.get());

    char id[64];
    std::snprintf(id, sizeof id, "vorn-picture-%zx-%zu", std::hash<std::string>()(picture->bytes()),
                  picture->bytes().size());
    // cairo hands the closure, not the data, to the destroy function.
    char* kept = strdup(id);
    if (cairo_surface_set_mime_data(
            surface.get(), CAIRO_MIME_TYPE_UNIQUE_ID, reinterpret_cast<const unsigned char*>(kept),
            std::char_traits<char>::length(id), free, kept) != CAIRO_STATUS_SUCCESS)
        free(kept);
    if (picture->format() == PictureFormat::Jpeg) {
        // The surface keeps the picture alive for as long as cairo holds the bytes.
        auto keeper = std::make_unique<std::shared_ptr<const Picture>>(picture);
        const auto& bytes = picture->bytes();
        if (cairo_surface_set_mime_data(surface.get(), CAIRO_MIME_TYPE_JPEG,
                                        reinterpret_cast<const unsigned char*>(bytes.data()),
                                        bytes.size(), releaseKeptBytes,
                                        keeper.get()) == CAIRO_STATUS_SUCCESS)
            keeper.release();
    }
    return surface;
}

} // namespace vorn::engine
