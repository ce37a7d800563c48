#include "platform/engine/layout/page_items.h"

#include "platform/engine/engine_error.h"

#include <algorithm>

namespace vorn::engine {
namespace {

template <typename T>
ItemSpan<T> slice(const std::vector<T>& all, const std::vector<PageStart>& pages, int page,
                  int firstHeld, const PageStart& forgotten, std::uint32_t PageStart::*member) {
    if (page < 0 || page >= static_cast<int>(pages.size()))
        throw EngineError(error_code::kBadIndex, "No page " + std::to_string(page));
    if (page < firstHeld)
        throw EngineError(error_code::kBadIndex,
                          "The items of page " + std::to_string(page) + " were already freed");
    auto index = static_cast<std::size_t>(page);
    const std::size_t base = forgotten.*member;
    std::size_t first = pages[index].*member - base;
    std::size_t last = index + 1 < pages.size() ? pages[index + 1].*member - base : all.size();
    return {all.data() + first, last - first};
}

template <typename T> void dropFront(std::vector<T>& items, std::uint32_t count) {
    items.erase(items.begin(), items.begin() + count);
}

} // namespace

void ItemList::clear() {
    boxes.clear();
    pictures.clear();
    lines.clear();
    texts.clear();
    pageValues.clear();
}

std::uint8_t PageList::colorIndex(Color color) {
    auto it = std::find(palette.begin(), palette.end(), color);
    if (it != palette.end())
        return static_cast<std::uint8_t>(it - palette.begin());
    if (palette.size() >= 256)
        throw EngineError(error_code::kFail, "A report may use at most 256 colours");
    palette.push_back(color);
    return static_cast<std::uint8_t>(palette.size() - 1);
}

std::uint16_t PageList::pictureIndex(const std::string& name) {
    auto it = std::find(pictureNames.begin(), pictureNames.end(), name);
    if (it != pictureNames.end())
        return static_cast<std::uint16_t>(it - pictureNames.begin());
    pictureNames.push_back(name);
    return static_cast<std::uint16_t>(pictureNames.size() - 1);
}

PageStart PageList::itemEnds() const {
    PageStart end;
    end.boxes = forgotten.boxes + static_cast<std::uint32_t>(items.boxes.size());
    end.pictures = forgotten.pictures + static_cast<std::uint32_t>(items.pictures.size());
    end.lines = forgotten.lines + static_cast<std::uint32_t>(items.lines.size());
    end.texts = forgotten.texts + static_cast<std::uint32_t>(items.texts.size());
    end.pageValues = forgotten.pageValues + static_cast<std::uint32_t>(items.pageValues.size());
    return end;
}

void PageList::forgetPagesBefore(int page) {
    if (page <= firstHeld_)
        return;
    if (page > pageCount())
        throw EngineError(error_code::kBadIndex, "No page " + std::to_string(page));
    const PageStart keep = page < pageCount() ? pages[static_cast<std::size_t>(page)] : itemEnds();
    dropFront(items.boxes, keep.boxes - forgotten.boxes);
    dropFront(items.pictures, keep.pictures - forgotten.pictures);
    dropFront(items.lines, keep.lines - forgotten.lines);
    dropFront(items.texts, keep.texts - forgotten.texts);
    dropFront(items.pageValues, keep.pageValues - forgotten.pageValues);
    forgotten = keep;
    firstHeld_ = page;
}

ItemSpan<BoxItem> PageList::boxes(int page) const {
    return slice(items.boxes, pages, page, firstHeld_, forgotten, &PageStart::boxes);
}
ItemSpan<PictureItem> PageList::pictures(int page) const {
    return slice(items.pictures, pages, page, firstHeld_, forgotten, &PageStart::pictures);
}
ItemSpan<LineItem> PageList::lines(int page) const {
    return slice(items.lines, pages, page, firstHeld_, forgotten, &PageStart::lines);
}
ItemSpan<TextItem> PageList::texts(int page) const {
    return slice(items.texts, pages, page, firstHeld_, forgotten, &PageStart::texts);
}
ItemSpan<PageValueItem> PageList::pageValues(int page) const {
    return slice(items.pageValues, pages, page, firstHeld_, forgotten, &PageStart::pageValues);
}

} // namespace vorn::engine
