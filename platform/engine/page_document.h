// The boundary between laying a report out and showing it: a finished list of
// pages that can be painted, in any order and any number of times, onto any
// cairo context (a PDF file, a PNG, the preview window, a print job).
#pragma once

#include <chrono>
#include <climits>
#include <string>
#include <string_view>
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

/// A rectangle on a page, in points from the paper's top-left corner.
struct PageRect {
    double x = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

class PageDocument {
public:
    using Clock = std::chrono::steady_clock;

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

    // A document may show its first pages before its last one is laid out:
    // pageCount() then counts the pages laid out so far and grows as the
    // window asks for more. Laying out ahead changes no page already counted,
    // so these are const like paint(); a finished document answers at once.

    /// Whether pageCount() is the report's final page count.
    virtual bool pageCountFinal() const { return true; }
    /// Lays out further pages until `deadline`, or until page `until` (0-based)
    /// is counted. Returns whether pages remain to be laid out.
    /// 	hrows what the layout throws, once; the count then stays where it was.
    virtual bool layOutMore(Clock::time_point /*deadline*/, int /*until*/ = INT_MAX) const {
        return false;
    }
    /// Where `text` occurs on page `index`, ignoring case, in reading order.
    virtual std::vector<PageRect> find(int /*index*/, std::string_view /*text*/) const {
        return {};
    }
};

} // namespace vorn::engine
