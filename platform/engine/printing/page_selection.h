// Some pages of a document, as a document of their own: what a print of a page
// range writes when it goes into a file rather than to a printer, which would
// pick the pages itself. Each page keeps its number ("Page 7 of 40").
#pragma once

#include "platform/engine/page_document.h"

#include <string_view>
#include <vector>

namespace vorn::engine {

/// The 0-based pages a CUPS-style range list ("1-3,5", 1-based, in the order
/// given, "7-" up to the last page) names in a document of `pageCount` pages.
/// Pages beyond the document are left out; an empty text names every page.
/// \throws EngineError (kInvalidArgument) for text that is no range list.
std::vector<int> parsePageRanges(std::string_view ranges, int pageCount);

class PageSelection : public PageDocument {
public:
    /// `pages` are 0-based indices into `document`, which must outlive this.
    PageSelection(const PageDocument& document, std::vector<int> pages);

    int pageCount() const override { return static_cast<int>(pages_.size()); }
    PageSize pageSize() const override { return document_.pageSize(); }
    std::string title() const override { return document_.title(); }
    /// The bookmarks of the selected pages, pointing at their new places.
    std::vector<OutlineEntry> outline() const override;
    void paint(int index, cairo_t* cr) const override;

private:
    const PageDocument& document_;
    std::vector<int> pages_;
};

} // namespace vorn::engine
