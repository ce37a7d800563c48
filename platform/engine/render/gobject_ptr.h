// Ownership of one GLib object reference (pixbufs, loaders, pango maps and fonts).
#pragma once

#include <glib-object.h>

#include <memory>

namespace vorn::engine {

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};

template <class T> using GObjectPtr = std::unique_ptr<T, GObjectDeleter>;

} // namespace vorn::engine
