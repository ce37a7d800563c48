#include "platform/engine/printing/page_selection.h"

#include "platform/engine/engine_error.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace vorn::engine {
namespace {

[[noreturn]] void badRanges(std::string_view ranges) {
    throw EngineError(error_code::kInvalidArgument,
                      "Not a list of pages: \"" + std::string(ranges) + "\"");
}

int pageNumber(std::string_view text, std::string_view ranges) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < 1)
        badRanges(ranges);
    return number;
}

} // namespace

std::vector<int> parsePageRanges(std::string_view ranges, int pageCount) {
    std::vector<int> pages;
    if (ranges.empty()) {
        for (int page = 0; page < pageCount; ++page)
            pages.push_back(page);
        return pages;
    }
    std::string_view rest = ranges;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view range = rest.substr(0, comma);
        const std::size_t dash = range.find('-');
        const int first = pageNumber(range.substr(0, dash), ranges);
        int last = first;
        if (dash != std::string_view::npos)
            last =
                dash + 1 == range.size() ? pageCount : pageNumber(range.substr(dash + 1), ranges);
        if (last < first)
            badRanges(ranges);
        for (int page = first; page <= last && page <= pageCount; ++page)
            pages.push_back(page - 1);
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return pages;
}

PageSelection::PageSelection(const PageDocument& document, std::vector<int> pages)
    : document_(document), pages_(std::move(pages)) {}

std::vector<OutlineEntry> PageSelection::outline() const {
    std::vector<OutlineEntry> entries;
    const std::vector<OutlineEntry> all = document_.outline();
    for (std::size_t at = 0; at < pages_.size(); ++at)
        for (const OutlineEntry& entry : all)
            if (entry.page == pages_[at])
                entries.push_back({entry.title, static_cast<int>(at), entry.level});
    return entries;
}

void PageSelection::paint(int index, cairo_t* cr) const {
    if (index < 0 || index >= pageCount())
        throw std::out_of_range("No page " + std::to_string(index));
    document_.paint(pages_[static_cast<std::size_t>(index)], cr);
}

} // namespace vorn::engine
