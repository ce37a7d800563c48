#include "fake_page_document.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "tests/support/error_code.h"
#include "tests/support/scoped_mount.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

class PdfWriterTest : public ::testing::Test {
protected:
    bool folderEmpty() const { return std::filesystem::is_empty(folder.path()); }

    TempFolder folder;
    std::string pdf = folder.file("report.pdf");
};

} // namespace

TEST_F(PdfWriterTest, ReaderSeesEveryPageAtTheDocumentsSizeWithItsTitle) {
    const std::string title = "Übersicht \"Q3\" (draft)"; // accents and quotes survive
    const FakePageDocument document(5, title, {}, PageSize{792, 612});
    writePdf(document, pdf);
    std::ostringstream stream; // the same bytes as the file
    writePdf(document, stream);
    EXPECT_EQ(stream.str(), readFile(pdf));
    auto info = pdfInfo(pdf);
    EXPECT_EQ(info["Pages"], "5");
    EXPECT_EQ(info["Page size"], "792 x 612 pts (letter)");
    EXPECT_EQ(info["Title"], title);
    EXPECT_EQ(info["CreationDate"], "2000-01-01T00:00:00Z") << "same report, same bytes";
}

TEST_F(PdfWriterTest, TextIsSelectableWhereItWasDrawnOnItsOwnPageAndTheOutlineKeepsItsNesting) {
    const std::vector<OutlineEntry> outline = {{"Project Alpha", 0, 0},
                                               {"Folder One", 0, 1},
                                               {"Folder Two", 2, 1},
                                               {"Project Beta", 3, 0},
                                               {"Folder Three", 4, 1}};
    writePdf(FakePageDocument(6, "Status", outline), pdf);
    const auto words = pdfWords(pdf);
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE(page);
        const std::string marker = "Marker-" + std::to_string(page);
        auto found = std::find_if(words.begin(), words.end(),
                                  [&](const PdfWord& w) { return w.text == marker; });
        ASSERT_NE(found, words.end());
        EXPECT_EQ(found->page, page);
        EXPECT_NEAR(found->xMin, FakePageDocument::kMarkerLeft, 0.5);
    }
    EXPECT_NE(pdfText(pdf).find("Page 2 of 6"), std::string::npos);
    const auto bookmarks = pdfOutline(pdf);
    ASSERT_EQ(bookmarks.size(), outline.size());
    for (size_t i = 0; i < outline.size(); ++i) {
        SCOPED_TRACE(outline[i].title);
        EXPECT_EQ(bookmarks[i].title, outline[i].title);
        EXPECT_EQ(bookmarks[i].page, outline[i].page + 1);
        EXPECT_EQ(bookmarks[i].level, outline[i].level);
    }
    writePdf(FakePageDocument(2), pdf); // no groups, no outline
    EXPECT_TRUE(pdfOutline(pdf).empty());
}

// A bookmark outside the document, or a page that fails to paint, leaves no
// file, nor a partial one beside it.
TEST_F(PdfWriterTest, UnwritablePathsStreamsDevicesBadBookmarksAndPaintFailuresRaise) {
    EXPECT_EQ(codeOf([&] { writePdf(FakePageDocument(1), folder.file("missing/dir/x.pdf")); }),
              error_code::kFail);
    std::ostringstream stream;
    stream.setstate(std::ios::badbit);
    EXPECT_EQ(codeOf([&] { writePdf(FakePageDocument(1), stream); }), error_code::kFail);
    // A device is written in place, and kept.
    EXPECT_EQ(codeOf([] { writePdf(FakePageDocument(1), "/dev/full"); }), error_code::kFail);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    EXPECT_EQ(codeOf([&] {
                  writePdf(FakePageDocument(2, "T", {{"Lost", 2, 0}}), pdf);
              }),
              error_code::kBadIndex);
    FakePageDocument document(3);
    document.failOnPage(1);
    EXPECT_THROW(writePdf(document, pdf), std::runtime_error);
    EXPECT_TRUE(folderEmpty());
}

// A disk that fills up: the output name keeps what it held before (or
// nothing), never a truncated file. Mounting the small disk needs root.
TEST_F(PdfWriterTest, FullDiskRaisesFailAndKeepsTheOldFile) {
    const ScopedMount disk = ScopedMount::smallDisk(folder.path(), "64k");
    if (!disk.ready())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const FakePageDocument large(400);
    EXPECT_EQ(codeOf([&] { writePdf(large, pdf); }), error_code::kFail);
    EXPECT_TRUE(folderEmpty());

    { std::ofstream(pdf) << "the previous report"; }
    EXPECT_EQ(codeOf([&] { writePdf(large, pdf); }), error_code::kFail);
    EXPECT_EQ(readFile(pdf), "the previous report");
    std::filesystem::remove(pdf);
    EXPECT_TRUE(folderEmpty());

    // The space the failed writes took is free again: a small one fits.
    writePdf(FakePageDocument(1), pdf);
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");
}
