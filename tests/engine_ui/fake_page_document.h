// A small page list for the output tests: every page shows "Page n of m" and
// "Marker-n" at known places and a box, so a reader of the output can tell the
// pages apart and check where things stand.
#pragma once

#include "platform/engine/page_document.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vorn::engine::testing {

class FakePageDocument : public PageDocument {
public:
    static constexpr double kTextLeft = 72.0;
    static constexpr double kTextBaseline = 100.0;
    static constexpr double kMarkerLeft = 300.0;
    static constexpr double kMarkerBaseline = 400.0;
    static constexpr double kFontSize = 12.0;

    explicit FakePageDocument(int pages, std::string title = "Fake Report",
                              std::vector<OutlineEntry> outline = {}, PageSize size = {});

    int pageCount() const override { return pages_; }
    PageSize pageSize() const override { return size_; }
    std::string title() const override { return title_; }
    std::vector<OutlineEntry> outline() const override { return outline_; }
    void paint(int index, cairo_t* cr) const override;
    /// Finds text in the page's marker ("Marker-12"), ignoring case.
    std::vector<PageRect> find(int index, std::string_view text) const override;

    /// The pages paint() was called for, in order, for checking that only what
    /// is seen gets drawn.
    const std::vector<int>& paintedPages() const noexcept { return painted_; }
    /// Makes painting page `index` throw, as a broken layout would.
    void failOnPage(int index) noexcept { failingPage_ = index; }
    /// For each paint, whether the page count was final then.
    const std::vector<bool>& paintedFinal() const noexcept { return paintedFinal_; }

private:
    int pages_;
    std::string title_;
    std::vector<OutlineEntry> outline_;
    PageSize size_;
    int failingPage_ = -1;
    mutable std::vector<int> painted_;
    mutable std::vector<bool> paintedFinal_;
};

/// A document laid out as it is shown: each layOutMore counts `step` more of
/// its `pages`, as a long report does in the preview.
class GrowingPageDocument : public FakePageDocument {
public:
    GrowingPageDocument(int pages, int step)
        : FakePageDocument(pages), total_(pages), step_(step), counted_(std::min(step, pages)) {}
    int pageCount() const override { return counted_; }
    bool pageCountFinal() const override { return counted_ == total_; }
    bool layOutMore(Clock::time_point deadline, int until = INT_MAX) const override;

private:
    int total_;
    int step_;
    mutable int counted_;
};

} // namespace vorn::engine::testing
