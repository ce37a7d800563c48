#include "platform/engine/layout/page_builder.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace vorn::engine {
namespace {

constexpr double kFitSlack = 1e-4;

template <typename T> double itemTop(const T& item) {
    return item.top;
}
template <typename T> double itemBottom(const T& item) {
    return item.top + item.height;
}
double itemTop(const LineItem& item) {
    return std::min(item.y1, item.y2);
}
double itemBottom(const LineItem& item) {
    return std::max(item.y1, item.y2);
}

template <typename T> void shift(T& item, double dx, double dy) {
    item.x = static_cast<float>(item.x + dx);
    item.top = static_cast<float>(item.top + dy);
}
void shift(LineItem& item, double dx, double dy) {
    item.x1 = static_cast<float>(item.x1 + dx);
    item.x2 = static_cast<float>(item.x2 + dx);
    item.y1 = static_cast<float>(item.y1 + dy);
    item.y2 = static_cast<float>(item.y2 + dy);
}

template <typename T>
void appendShifted(std::vector<T>& to, const std::vector<T>& from, double dx, double dy) {
    for (T item : from) {
        shift(item, dx, dy);
        to.push_back(item);
    }
}

/// One slice of a band being split: which items are still to place.
struct SplitState {
    std::vector<bool> boxes, pictures, lines, texts, pageValues;
};

template <typename T>
bool placeSlice(const std::vector<T>& items, std::vector<bool>& placed, std::vector<T>& to,
                double sliceStart, double cut, double bodyHeight, double dx, double dy) {
    bool any = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (placed[i])
            continue;
        const double top = itemTop(items[i]);
        const double bottom = itemBottom(items[i]);
        const bool fits = bottom <= cut + kFitSlack;
        // Taller than any page body: it can never fit, so it goes where it starts.
        const bool hopeless = top < cut && bottom - top > bodyHeight;
        if (top >= sliceStart - kFitSlack && (fits || hopeless)) {
            T item = items[i];
            shift(item, dx, dy);
            to.push_back(item);
            placed[i] = true;
            any = true;
        }
    }
    return any;
}

template <typename T>
void lowestUnplacedTop(const std::vector<T>& items, const std::vector<bool>& placed,
                       double& lowest) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!placed[i])
            lowest = std::min(lowest, itemTop(items[i]));
}

} // namespace

PageBuilder::PageBuilder(PageList& document, PageFrame frame, std::function<void(Band&)> header,
                         std::function<void(Band&, int)> footer)
    : document_(document), frame_(frame), header_(std::move(header)), footer_(std::move(footer)) {}

void PageBuilder::openPage() {
    document_.pages.push_back(document_.itemEnds());
    open_ = true;
    breakPending_ = false;
    bodyEmpty_ = true;

    scratch_.items.clear();
    scratch_.height = 0;
    if (header_)
        header_(scratch_);
    append(scratch_.items, frame_.marginLeft, frame_.marginTop);
    bodyTop_ = frame_.marginTop + scratch_.height;
    cursor_ = bodyTop_;
    footerTop_ = frame_.paperHeight - frame_.marginBottom - frame_.footerHeight;
}

void PageBuilder::closePage() {
    scratch_.items.clear();
    scratch_.height = 0;
    if (footer_)
        footer_(scratch_, document_.pageCount());
    append(scratch_.items, frame_.marginLeft, footerTop_);
    open_ = false;
}

void PageBuilder::append(const ItemList& items, double dx, double dy) {
    appendShifted(document_.items.boxes, items.boxes, dx, dy);
    appendShifted(document_.items.pictures, items.pictures, dx, dy);
    appendShifted(document_.items.lines, items.lines, dx, dy);
    appendShifted(document_.items.texts, items.texts, dx, dy);
    appendShifted(document_.items.pageValues, items.pageValues, dx, dy);
}

void PageBuilder::place(const Band& band) {
    if (open_ && breakPending_)
        closePage();
    if (!open_)
        openPage();
    if (cursor_ + band.height > bodyBottom() + kFitSlack && !bodyEmpty_) {
        closePage();
        openPage();
    }
    if (cursor_ + band.height <= bodyBottom() + kFitSlack) {
        append(band.items, frame_.marginLeft, cursor_);
        cursor_ += band.height;
        bodyEmpty_ = false;
        return;
    }
    split(band);
}

void PageBuilder::split(const Band& band) {
    const ItemList& items = band.items;
    SplitState placed{std::vector<bool>(items.boxes.size()),
                      std::vector<bool>(items.pictures.size()),
                      std::vector<bool>(items.lines.size()), std::vector<bool>(items.texts.size()),
                      std::vector<bool>(items.pageValues.size())};
    double sliceStart = 0;
    for (;;) {
        const double bodyHeight = std::max(bodyBottom() - bodyTop_, 1.0);
        const double room = std::max(bodyBottom() - cursor_, 1.0);
        const double cut = sliceStart + room;
        const double dx = frame_.marginLeft;
        const double dy = cursor_ - sliceStart;
        auto& to = document_.items;
        bool any =
            placeSlice(items.boxes, placed.boxes, to.boxes, sliceStart, cut, bodyHeight, dx, dy);
        any |= placeSlice(items.pictures, placed.pictures, to.pictures, sliceStart, cut, bodyHeight,
                          dx, dy);
        any |= placeSlice(items.lines, placed.lines, to.lines, sliceStart, cut, bodyHeight, dx, dy);
        any |= placeSlice(items.texts, placed.texts, to.texts, sliceStart, cut, bodyHeight, dx, dy);
        any |= placeSlice(items.pageValues, placed.pageValues, to.pageValues, sliceStart, cut,
                          bodyHeight, dx, dy);
        double next = std::numeric_limits<double>::infinity();
        lowestUnplacedTop(items.boxes, placed.boxes, next);
        lowestUnplacedTop(items.pictures, placed.pictures, next);
        lowestUnplacedTop(items.lines, placed.lines, next);
        lowestUnplacedTop(items.texts, placed.texts, next);
        lowestUnplacedTop(items.pageValues, placed.pageValues, next);
        if (next == std::numeric_limits<double>::infinity()) {
            cursor_ = std::min(cursor_ + (band.height - sliceStart), bodyBottom());
            bodyEmpty_ = false;
            return;
        }
        if (!any && bodyEmpty_) {
            // Nothing fits even an empty page (a header that fills the page): the
            // rest goes here as it is rather than waiting for a page that never comes.
            auto place = [&](auto& from, auto& flags, auto& dest) {
                for (std::size_t i = 0; i < from.size(); ++i)
                    if (!flags[i]) {
                        auto item = from[i];
                        shift(item, dx, cursor_ - next);
                        dest.push_back(item);
                        flags[i] = true;
                    }
            };
            place(items.boxes, placed.boxes, to.boxes);
            place(items.pictures, placed.pictures, to.pictures);
            place(items.lines, placed.lines, to.lines);
            place(items.texts, placed.texts, to.texts);
            place(items.pageValues, placed.pageValues, to.pageValues);
            cursor_ = bodyBottom();
            bodyEmpty_ = false;
            return;
        }
        sliceStart = next;
        closePage();
        openPage();
    }
}

void PageBuilder::finish() {
    if (!open_ && document_.pageCount() == 0)
        openPage();
    if (open_)
        closePage();
}

} // namespace vorn::engine
