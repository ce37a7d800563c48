#include "fake_page_document.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "tests/support/error_code.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <sstream>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

class PdfWriterTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string pdf = folder.file("report.pdf");
};

} // namespace

TEST_F(PdfWriterTest, ReaderSeesEveryPageAtTheDocumentsSizeWithItsTitle) {
    const std::string title = "Übersicht \"Q3\" (draft)"; // accents and quotes survive
    writePdf(FakePageDocument(5, title, {}, PageSize{792, 612}), pdf);
    auto info = pdfInfo(pdf);
    EXPECT_EQ(info["Pages"], "5");
    EXPECT_EQ(info["Page size"], "792 x 612 pts (letter)");
    EXPECT_EQ(info["Title"], title);
}

TEST_F(PdfWriterTest, TextIsSelectableWhereItWasDrawnOnItsOwnPage) {
    writePdf(FakePageDocument(3), pdf);
    const auto words = pdfWords(pdf);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const std::string marker = "Marker-" + std::to_string(page);
        auto found = std::find_if(words.begin(), words.end(),
                                  [&](const PdfWord& w) { return w.text == marker; });
        ASSERT_NE(found, words.end());
        EXPECT_EQ(found->page, page);
        EXPECT_NEAR(found->xMin, FakePageDocument::kMarkerLeft, 0.5);
        // The box reaches from baseline minus ascent down past the baseline.
        EXPECT_LT(found->yMin, FakePageDocument::kMarkerBaseline - 7);
        EXPECT_GT(found->yMin, FakePageDocument::kMarkerBaseline - FakePageDocument::kFontSize);
        EXPECT_GT(found->yMax, FakePageDocument::kMarkerBaseline);
    }
    EXPECT_NE(pdfText(pdf).find("Page 2 of 3"), std::string::npos);
}

TEST_F(PdfWriterTest, FontsAreEmbeddedAsSubsets) {
    writePdf(FakePageDocument(2), pdf);
    const auto fonts = pdfFonts(pdf);
    ASSERT_FALSE(fonts.empty());
    for (const PdfFont& font : fonts) {
        SCOPED_TRACE(font.name);
        EXPECT_TRUE(font.embedded);
        EXPECT_TRUE(font.subset);
    }
}

TEST_F(PdfWriterTest, OutlineKeepsNestingAndTargetPagesAndIsLeftOutWithoutGroups) {
    const std::vector<OutlineEntry> outline = {{"Project Alpha", 0, 0},
                                               {"Folder One", 0, 1},
                                               {"Folder Two", 2, 1},
                                               {"Project Beta", 3, 0},
                                               {"Folder Three", 4, 1}};
    writePdf(FakePageDocument(6, "Status", outline), pdf);
    const auto bookmarks = pdfOutline(pdf);
    ASSERT_EQ(bookmarks.size(), outline.size());
    for (size_t i = 0; i < outline.size(); ++i) {
        SCOPED_TRACE(outline[i].title);
        EXPECT_EQ(bookmarks[i].title, outline[i].title);
        EXPECT_EQ(bookmarks[i].page, outline[i].page + 1);
        EXPECT_EQ(bookmarks[i].level, outline[i].level);
    }
    writePdf(FakePageDocument(2), pdf);
    EXPECT_TRUE(pdfOutline(pdf).empty());
}

TEST_F(PdfWriterTest, SameDocumentGivesTheSameBytesToFileAndStream) {
    const FakePageDocument document(4, "Detail", {{"Group", 1, 0}});
    writePdf(document, pdf);
    const std::string first = readFile(pdf);
    writePdf(document, pdf);
    EXPECT_EQ(readFile(pdf), first);
    std::ostringstream stream;
    writePdf(document, stream);
    EXPECT_EQ(stream.str(), first);
}

TEST_F(PdfWriterTest, UnwritablePathOrFailingStreamRaisesFail) {
    EXPECT_EQ(codeOf([&] { writePdf(FakePageDocument(1), folder.file("missing/dir/x.pdf")); }),
              error_code::kFail);
    std::ostringstream stream;
    stream.setstate(std::ios::badbit);
    EXPECT_EQ(codeOf([&] { writePdf(FakePageDocument(1), stream); }), error_code::kFail);
}

TEST_F(PdfWriterTest, BookmarkOutsideTheDocumentOrPaintFailureRaisesAndLeavesNoFile) {
    EXPECT_EQ(codeOf([&] {
                  writePdf(FakePageDocument(2, "T", {{"Lost", 2, 0}}), pdf);
              }),
              error_code::kBadIndex);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    FakePageDocument document(3);
    document.failOnPage(1);
    EXPECT_THROW(writePdf(document, pdf), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}
