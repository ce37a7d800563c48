#include "platform/engine/output/pdf_writer.h"

#include "platform/engine/allocator_tuning.h"
#include "platform/engine/engine_error.h"
#include "platform/engine/output/cairo_handles.h"
#include "platform/engine/page_document.h"

#include <cairo-pdf.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace vorn::engine {
namespace {

// Without a fixed creation date cairo stamps the current time, and the same
// report would give a different file on every run.
constexpr const char* kCreationDate = "2000-01-01T00:00:00Z";

cairo_status_t writeChunk(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::ostream*>(closure);
    out->write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));
    return *out ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

void addOutline(cairo_surface_t* surface, const PageDocument& document) {
    // parents[level] is the last entry added at that level, the parent of the
    // next entry one level deeper.
    std::vector<int> parents;
    for (const OutlineEntry& entry : document.outline()) {
        if (entry.page < 0 || entry.page >= document.pageCount())
            throw EngineError(error_code::kBadIndex, "The bookmark \"" + entry.title +
                                                         "\" points to page " +
                                                         std::to_string(entry.page + 1) +
                                                         ", which the report does not have");
        const auto level = static_cast<std::size_t>(std::max(entry.level, 0));
        const int parent = level == 0 || parents.empty()
                               ? CAIRO_PDF_OUTLINE_ROOT
                               : parents[std::min(level, parents.size()) - 1];
        const std::string target = "page=" + std::to_string(entry.page + 1);
        const int id =
            cairo_pdf_surface_add_outline(surface, parent, entry.title.c_str(), target.c_str(),
                                          static_cast<cairo_pdf_outline_flags_t>(0));
        parents.resize(std::min(level, parents.size()));
        parents.push_back(id);
    }
}

void render(const PageDocument& document, std::ostream& out,
            const LayoutProgressCallback& progress) {
    tuneAllocatorForReports();
    const PageSize size = document.pageSize();
    CairoSurfacePtr surface(
        cairo_pdf_surface_create_for_stream(writeChunk, &out, size.width, size.height));
    throwIfCairoFailed(cairo_surface_status(surface.get()), "Cannot start the PDF document");
    const std::string title = document.title();
    if (!title.empty())
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, kCreationDate);

    CairoContextPtr cr(cairo_create(surface.get()));
    const int pageCount = document.pageCount();
    for (int page = 0; page < pageCount; ++page) {
        cairo_save(cr.get());
        document.paint(page, cr.get());
        cairo_restore(cr.get());
        cairo_show_page(cr.get());
        reportProgress(progress, {page + 1, pageCount});
    }
    throwIfCairoFailed(cairo_status(cr.get()), "Cannot draw the PDF pages");
    addOutline(surface.get(), document);
    cr.reset();
    cairo_surface_finish(surface.get());
    throwIfCairoFailed(cairo_surface_status(surface.get()), "Cannot write the PDF document");
}

} // namespace

void writePdf(const PageDocument& document, std::ostream& out,
              const LayoutProgressCallback& progress) {
    render(document, out, progress);
    out.flush();
    if (!out)
        throw EngineError(error_code::kFail, "Cannot write the PDF document");
}

void writePdf(const PageDocument& document, const std::string& path,
              const LayoutProgressCallback& progress) {
    // A device or pipe named by the caller is written as it is, and never
    // removed: as root, removing /dev/full on a failed write would take the
    // device away from every process.
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) &&
        !std::filesystem::is_regular_file(path, ignored)) {
        std::ofstream device(path, std::ios::binary);
        if (!device)
            throw EngineError(error_code::kFail,
                              "Cannot open \"" + path + "\": " + std::strerror(errno));
        writePdf(document, device, progress);
        return;
    }
    // The document takes the name only when complete, so a full disk or a
    // failing page leaves the previous file (or none), never a truncated one.
    // Threads of one process print on their own: each builds in a file of its own.
    static std::atomic<unsigned> builds{0};
    const std::string building =
        path + ".partial-" + std::to_string(::getpid()) + "-" + std::to_string(++builds);
    std::ofstream file(building, std::ios::binary | std::ios::trunc);
    if (!file)
        throw EngineError(error_code::kFail,
                          "Cannot create the file \"" + path + "\": " + std::strerror(errno));
    try {
        writePdf(document, file, progress);
        file.close();
        if (!file)
            throw EngineError(error_code::kFail, "Cannot write the file \"" + path + "\"");
        std::error_code error;
        std::filesystem::rename(building, path, error);
        if (error)
            throw EngineError(error_code::kFail,
                              "Cannot replace the file \"" + path + "\": " + error.message());
    } catch (...) {
        file.close();
        std::filesystem::remove(building, ignored);
        throw;
    }
}

} // namespace vorn::engine
