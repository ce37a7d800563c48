// The boundary between laying a report out and showing it: a finished list of
// pages that can be painted, in any order and any number of times, onto any
// cairo context (a PDF file, a PNG, the preview window, a print job).
#pragma once

#include <string>
#include <vector>

typedef struct _cairo cairo_t;

namespace vorn::engine {

/// Paper size in points (1/72 inch), already turned for the orientation.
struct PageSize {
    double width = 612.0; // US Letter, portrait
    double height = 792.0;
};

/// One entry of the PDF outline (bookmarks): a group's heading and where it starts.
struct OutlineEntry {
    std::string title;
    int page = 0;  // 0-based
    int level = 0; // 0 for the outermost group
};

class PageDocument {
public:
    virtual ~PageDocument() = default;

    virtual int pageCount() const = 0;
    virtual PageSize pageSize() const = 0;
    /// Title for windows and for the PDF's metadata (the report's window caption).
    virtual std::string title() const = 0;
    /// Bookmarks in document order; empty when the report has no groups.
    virtual std::vector<OutlineEntry> outline() const { return {}; }
    /// Paints page `index` (0-based) with the origin at the paper's top-left
    /// corner, one unit per point. The caller scales for screens and PNGs.
    /// \throws std::out_of_range for an index outside [0, pageCount()).
    virtual void paint(int index, cairo_t* cr) const = 0;
};

} // namespace vorn::engine
