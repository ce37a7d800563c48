// What a laid-out page holds: positioned text lines, boxes, lines and pictures,
// in points from the paper's top-left corner (within a band: from the band's).
// Items are small and kept in flat arrays so a report of thousands of pages
// stays compact. Each carries the design order of the control it comes from:
// a page is painted in that order, later controls over earlier ones.
#pragma once

#include "platform/engine/layout/text_shaper.h"
#include "platform/engine/model/color.h"
#include "platform/engine/model/control.h"
#include "platform/engine/page_document.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorn::engine {

/// A control's place among its band's controls; bands of a page never overlap.
using DesignOrder = std::uint16_t;

struct TextItem {
    float x;
    float top; // the line's top; the baseline is top + ascent
    float height;
    RunId run;
    FontId font;
    std::uint8_t color; // index into the palette
    DesignOrder order;
};

struct BoxItem {
    float x, top, width, height;
    std::uint8_t color;
    DesignOrder order;
};

struct LineItem {
    float x1, y1, x2, y2;
    std::uint8_t color;
    DesignOrder order;
};

struct PictureItem {
    float x, top, width, height;
    std::uint16_t picture; // index into the picture names
    DesignOrder order;
};

/// A page number or page count, known only when the whole report is laid out.
struct PageValueItem {
    float x, top, width, height;
    FontId font;
    std::uint8_t color;
    Alignment alignment;
    PageValue value;
    DesignOrder order;
};

struct ItemList {
    std::vector<BoxItem> boxes;
    std::vector<PictureItem> pictures;
    std::vector<LineItem> lines;
    std::vector<TextItem> texts;
    std::vector<PageValueItem> pageValues;

    void clear();
};

/// A band as printed once: its items relative to its top-left corner and its height.
struct Band {
    ItemList items;
    double height = 0;
};

/// Where each page's items start in the document-wide arrays.
struct PageStart {
    std::uint32_t boxes = 0;
    std::uint32_t pictures = 0;
    std::uint32_t lines = 0;
    std::uint32_t texts = 0;
    std::uint32_t pageValues = 0;
};

/// A slice of one page's items.
template <typename T> struct ItemSpan {
    const T* first = nullptr;
    std::size_t size = 0;
    const T* begin() const { return first; }
    const T* end() const { return first + size; }
};

struct PageList {
    ItemList items;
    std::vector<PageStart> pages; // one per page
    std::vector<Color> palette;
    std::vector<std::string> pictureNames;
    /// A bookmark per group: the value that opened it and the page it starts on.
    std::vector<OutlineEntry> outline;
    double paperWidth = 612;  // points
    double paperHeight = 792; // points
    /// How many items of each kind the pages forgotten so far held: the page
    /// starts count from the report's first item, the arrays from this one.
    PageStart forgotten;

    int pageCount() const { return static_cast<int>(pages.size()); }
    /// The position after the last item of each kind, counted like the page starts.
    PageStart itemEnds() const;
    /// Frees the items of the pages before `page` (their starts stay, so page
    /// numbers keep counting); painting one of them is an error from then on.
    void forgetPagesBefore(int page);
    /// The first page whose items are still held.
    int firstHeldPage() const { return firstHeld_; }
    std::uint8_t colorIndex(Color color);
    std::uint16_t pictureIndex(const std::string& name);

    ItemSpan<BoxItem> boxes(int page) const;
    ItemSpan<PictureItem> pictures(int page) const;
    ItemSpan<LineItem> lines(int page) const;
    ItemSpan<TextItem> texts(int page) const;
    ItemSpan<PageValueItem> pageValues(int page) const;

private:
    int firstHeld_ = 0;
};

} // namespace vorn::engine
