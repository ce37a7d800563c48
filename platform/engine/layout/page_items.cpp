#include "platform/engine/layout/page_items.h"

#include "platform/engine/engine_error.h"

#include <algorithm>

namespace vorn::engine {
namespace {

template <typename T>
ItemSpan<T> slice(const std::vector<T>& all, const std::vector<PageStart>& pages, int page,
                  std::uint32_t PageStart::*member) {
    if (page < 0 || page >= static_cast<int>(pages.size()))
        throw EngineError(error_code::kBadIndex, "No page " + std::to_string(page));
    auto index = static_cast<std::size_t>(page);
    std::size_t first = pages[index].*member;
    std::size_t last = index + 1 < pages.size() ? pages[index + 1].*member : all.size();
    return {all.data() + first, last - first};
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

ItemSpan<BoxItem> PageList::boxes(int page) const {
    return slice(items.boxes, pages, page, &PageStart::boxes);
}
ItemSpan<PictureItem> PageList::pictures(int page) const {
    return slice(items.pictures, pages, page, &PageStart::pictures);
}
ItemSpan<LineItem> PageList::lines(int page) const {
    return slice(items.lines, pages, page, &PageStart::lines);
}
ItemSpan<TextItem> PageList::texts(int page) const {
    return slice(items.texts, pages, page, &PageStart::texts);
}
ItemSpan<PageValueItem> PageList::pageValues(int page) const {
    return slice(items.pageValues, pages, page, &PageStart::pageValues);
}

} // namespace vorn::engine
