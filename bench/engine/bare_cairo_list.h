// The floor for the item list: the same page contents drawn straight with cairo,
// no report model, no layout, cairo's own glyph lookup and one glyph call per
// font and page.
#pragma once

#include <string>

namespace vorn::bench {

struct ListGeometry {
    double bodyTop;   // points from the paper's top to the first detail line
    double rowHeight; // points per item
    int rowsPerPage;
    double marginLeft; // points
    double footerTop;  // points
};

/// Writes `items` items as a PDF to `path`; returns the number of pages.
int writeBareCairoList(int items, const ListGeometry& geometry, const std::string& path);

} // namespace vorn::bench
