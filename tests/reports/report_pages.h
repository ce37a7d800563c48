// What a laid-out report prints, page by page, as text a test can search.
#pragma once

#include "platform/engine/render/report_document.h"

#include <string>
#include <vector>

namespace vorn::test {

/// Every text of page `index` (0-based), page numbers and counts included.
std::vector<std::string> pageTexts(const engine::ReportDocument& document, int index);
bool pageShows(const engine::ReportDocument& document, int index, const std::string& text);

} // namespace vorn::test
