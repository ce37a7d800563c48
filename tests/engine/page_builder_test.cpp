#include "platform/engine/layout/page_builder.h"

#include "platform/engine/engine_error.h"

#include <gtest/gtest.h>

namespace vorn::engine {
namespace {

// A page of 100 points with 10-point margins, a 10-point header and footer: the
// body runs from 20 to 80.
class PageBuilderTest : public ::testing::Test {
protected:
    PageBuilderTest()
        : builder(
              document, PageFrame{100, 5, 10, 10, 10}, [this](Band& b) { header(b); },
              [this](Band& b, int n) { footer(b, n); }) {}

    void header(Band& b) {
        b.height = 10;
        b.items.boxes.push_back({0, 0, 1, 1, 0, 0});
        ++headers;
    }
    void footer(Band& b, int n) {
        b.height = 10;
        b.items.lines.push_back({0, 0, 1, 0, 0, 0});
        footerPages.push_back(n);
    }
    static Band textBand(double height, std::vector<float> lineTops) {
        Band b;
        b.height = height;
        for (float top : lineTops)
            b.items.texts.push_back({0, top, 10, static_cast<RunId>(top), 0, 0, 0});
        return b;
    }

    PageList document;
    int headers = 0;
    std::vector<int> footerPages;
    PageBuilder builder;
};

// 3 bands of 20 fill a 60-point body; a break after the last band leaves no
// empty page.
TEST_F(PageBuilderTest, bandsStackAndBreakWhenTheBodyIsFullOrWhenTold) {
    for (int i = 0; i < 7; ++i) {
        builder.place(textBand(20, {0}));
        if (i == 1 || i == 6)
            builder.breakPage();
    }
    builder.finish();
    ASSERT_EQ(document.pageCount(), 3);
    EXPECT_EQ(headers, 3);
    EXPECT_EQ(footerPages, (std::vector<int>{1, 2, 3}));
    auto first = document.texts(0);
    ASSERT_EQ(first.size, 2u);
    EXPECT_FLOAT_EQ(first.first[0].top, 20);
    EXPECT_FLOAT_EQ(first.first[0].x, 5);
    ASSERT_EQ(document.texts(1).size, 3u);
    EXPECT_FLOAT_EQ(document.texts(1).first[2].top, 60);
    EXPECT_EQ(document.texts(2).size, 2u);
    EXPECT_FLOAT_EQ(document.lines(0).first[0].y1, 80); // the footer sits on the body's end
}

TEST_F(PageBuilderTest, forgottenPagesAreGoneAndLaterOnesKeepTheirItems) {
    for (int i = 0; i < 7; ++i)
        builder.place(textBand(20, {static_cast<float>(i)}));
    document.forgetPagesBefore(2); // page 3 is still open
    for (int i = 7; i < 9; ++i)
        builder.place(textBand(20, {static_cast<float>(i)}));
    builder.finish();
    ASSERT_EQ(document.pageCount(), 3);
    EXPECT_EQ(document.firstHeldPage(), 2);
    EXPECT_THROW(document.texts(1), EngineError);
    auto last = document.texts(2);
    ASSERT_EQ(last.size, 3u);
    EXPECT_EQ(last.first[0].run, 6u);
    EXPECT_EQ(last.first[2].run, 8u);
    EXPECT_EQ(document.lines(2).size, 1u); // its footer
    EXPECT_EQ(document.boxes(2).size, 1u); // its header
}

TEST_F(PageBuilderTest, aBandTallerThanThePageIsSplitAtItsLines) {
    std::vector<float> tops;
    for (int i = 0; i < 20; ++i)
        tops.push_back(static_cast<float>(i * 10)); // 200 points of 10-point lines
    builder.place(textBand(200, tops));
    builder.place(textBand(10, {0}));
    builder.finish();
    ASSERT_EQ(document.pageCount(), 4); // 6 + 6 + 6 + 2 lines, then the small band
    std::size_t total = 0;
    for (int p = 0; p < document.pageCount(); ++p) {
        for (const TextItem& t : document.texts(p)) {
            EXPECT_GE(t.top, 20 - 1e-3);
            EXPECT_LE(t.top + t.height, 80 + 1e-3);
        }
        total += document.texts(p).size;
    }
    EXPECT_EQ(total, 21u);
    EXPECT_EQ(document.texts(3).size, 3u);
    EXPECT_FLOAT_EQ(document.texts(3).first[2].top, 40);
}

TEST_F(PageBuilderTest, anItemTallerThanAnyPageIsPlacedOnceAndTheRunEnds) {
    Band b;
    b.height = 500;
    b.items.boxes.push_back({0, 0, 10, 500, 0, 0});
    b.items.texts.push_back({0, 490, 10, 1, 0, 0, 0});
    builder.place(b);
    builder.finish();
    EXPECT_GE(document.pageCount(), 2);
    EXPECT_LE(document.pageCount(), 3);
    EXPECT_EQ(document.items.texts.size(), 1u);
}

} // namespace
} // namespace vorn::engine
