#include "fake_page_document.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/page_selection.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

TEST(PageRanges, nameTheirPagesOfAFivePageDocumentOrAreAnInvalidArgument) {
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"", {0, 1, 2, 3, 4}}, {"2", {1}}, {"1-3,5", {0, 1, 2, 4}}, {"4-", {3, 4}}, {"5,1", {4, 0}},
        {"4-9", {3, 4}},       {"7-9", {}}};
    for (const auto& [ranges, pages] : cases)
        EXPECT_EQ(parsePageRanges(ranges, 5), pages) << ranges;
    for (const char* ranges : {"x", "0", "-2", "3-1", "1,,2", "1-2-3", "2 "})
        EXPECT_EQ(codeOf([&] { parsePageRanges(ranges, 5); }), error_code::kInvalidArgument)
            << ranges;
}

TEST(PageSelection, writesOnlyItsPagesWithTheirOwnNumbersAndBookmarks) {
    TempFolder folder;
    const std::string pdf = folder.file("chosen.pdf");
    const FakePageDocument document(
        5, "Chosen", {{"First", 0, 0}, {"Third", 2, 0}, {"Third, inner", 2, 1}, {"Fifth", 4, 0}});
    writePdf(PageSelection(document, {2, 4}), pdf);

    EXPECT_EQ(pdfInfo(pdf)["Pages"], "2");
    EXPECT_EQ(pdfInfo(pdf)["Title"], "Chosen");
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("Page 3 of 5"), std::string::npos);
    EXPECT_NE(text.find("Marker-5"), std::string::npos);
    EXPECT_EQ(text.find("Marker-1"), std::string::npos);
    const auto outline = pdfOutline(pdf);
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_EQ(outline[0].title, "Third");
    EXPECT_EQ(outline[0].page, 1);
    EXPECT_EQ(outline[2].title, "Fifth");
    EXPECT_EQ(outline[2].page, 2);
}

} // namespace
