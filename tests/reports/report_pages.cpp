#include "report_pages.h"

#include <algorithm>

namespace vorn::test {

std::vector<std::string> pageTexts(const engine::ReportDocument& document, int index) {
    std::vector<std::string> texts;
    for (const auto& item : document.pages().texts(index))
        texts.emplace_back(document.text(item));
    for (const auto& item : document.pages().pageValues(index))
        texts.push_back(document.pageValueText(item, index));
    return texts;
}

bool pageShows(const engine::ReportDocument& document, int index, const std::string& text) {
    const auto texts = pageTexts(document, index);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

} // namespace vorn::test
