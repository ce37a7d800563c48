#include "platform/engine/layout/band_renderer.h"
#include "tests/engine/fake_text_shaper.h"

#include <gtest/gtest.h>

namespace vorn::engine {
namespace {

// With the fake shaper and the default Arial 10 a byte is 5 points wide and a
// line 12 points high. A 100-twip-wide field (5 pt) holds one byte per line.
class BandRendererTest : public ::testing::Test {
protected:
    Control& field(const std::string& name, double left, double top, double width, double height,
                   const std::string& text) {
        Control& c = section.controls.add(ControlKind::Field, name);
        c.left = left;
        c.top = top;
        c.width = width;
        c.height = height;
        c.text = text;
        return c;
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const TextItem& t : band.items.texts)
            out.emplace_back(shaper.text(t.run));
        return out;
    }
    void render() { BandRenderer(shaper, document).render(section, band); }

    testing::FakeTextShaper shaper;
    PageList document;
    Section section{SectionKind::Detail, "Detail"};
    Band band;
};

// Centred text stands in the middle of its field, over the field's background.
TEST_F(BandRendererTest,
       textThatFitsStaysOneLineTheBandKeepsItsHeightAndHiddenControlsPrintNothing) {
    section.height = 400;
    field("a", 200, 100, 2000, 240, "hello");
    field("b", 0, 0, 2000, 240, "hidden").visible = false;
    Control& c = field("c", 100, 0, 1000, 270, "ab"); // 50 pt wide, text 10 pt
    c.alignment = Alignment::Center;
    c.backColor = Color::silver();
    c.foreColor = Color::white();
    render();
    ASSERT_EQ(texts(), (std::vector<std::string>{"ab", "hello"}));
    EXPECT_FLOAT_EQ(band.items.texts[1].x, 10);
    EXPECT_FLOAT_EQ(band.items.texts[1].top, 5);
    EXPECT_DOUBLE_EQ(band.height, 20);
    EXPECT_FLOAT_EQ(band.items.texts[0].x, 5 + 20);
    ASSERT_EQ(band.items.boxes.size(), 1u);
    EXPECT_FLOAT_EQ(band.items.boxes[0].width, 50);
    EXPECT_FLOAT_EQ(band.items.boxes[0].height, 13.5f);
    EXPECT_EQ(document.palette[band.items.boxes[0].color], Color::silver());
    EXPECT_EQ(document.palette[band.items.texts[0].color], Color::white());
}

// Fields 25 pt wide hold one word a line.
TEST_F(BandRendererTest, growingFieldsWrapAndMoveTheControlsBelowThemAndTheBandDown) {
    section.height = 600;
    field("a", 0, 0, 500, 240, "aaaa bbbb cccc");    // grows from 12 to 36 pt
    field("below", 0, 300, 500, 240, "xxxx wwww");   // under both: moves 24, then grows 12
    field("beside", 1000, 0, 500, 240, "yyyy zzzz"); // above a's bottom: stays, grows 12
    render();
    ASSERT_EQ(texts(),
              (std::vector<std::string>{"aaaa", "bbbb", "cccc", "yyyy", "zzzz", "xxxx", "wwww"}));
    EXPECT_FLOAT_EQ(band.items.texts[2].top, 24);
    EXPECT_FLOAT_EQ(band.items.texts[3].top, 0);
    EXPECT_FLOAT_EQ(band.items.texts[5].top, 15 + 24);
    EXPECT_FLOAT_EQ(band.items.texts[6].top, 15 + 24 + 12);
    EXPECT_DOUBLE_EQ(band.height, 30 + 24 + 12);
}

TEST_F(BandRendererTest, textThatCannotGrowIsCutAtTheWidthAndHeight) {
    section.height = 300;
    Control& c = field("a", 0, 0, 500, 240, "aaaa bbbb abcdefgh");
    c.canGrow = false;
    render();
    EXPECT_EQ(texts(), std::vector<std::string>{"aaaa"});
    EXPECT_DOUBLE_EQ(band.height, 15);
    c.text = "abcdefgh";
    render();
    EXPECT_EQ(texts(), std::vector<std::string>{"abcde"});
}

TEST_F(BandRendererTest, labelsWrapWithinTheirHeight) {
    section.height = 450;
    Control& c = section.controls.add(ControlKind::Label, "l");
    c.width = 500;
    c.height = 450; // room for one 12-pt line and a bit
    c.caption = "Items Incomplete";
    render();
    EXPECT_EQ(texts(), std::vector<std::string>{"Items"});
    c.height = 480; // two lines
    render();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Items", "Incom"}));
}

TEST_F(BandRendererTest, emptyShrinkingFieldTakesNoRoomOnlyWhereTheBandMayShrink) {
    section.height = 600;
    Control& c = field("a", 0, 300, 2000, 240, "");
    c.canShrink = true;
    render();
    EXPECT_TRUE(band.items.texts.empty());
    EXPECT_DOUBLE_EQ(band.height, 30);
    section.canShrink = true;
    render();
    EXPECT_DOUBLE_EQ(band.height, 30 - 12);
}

TEST_F(BandRendererTest, checkBoxesDrawABoxAMarkWhenCheckedAndTheirCaption) {
    section.height = 300;
    Control& c = section.controls.add(ControlKind::CheckBox, "c");
    c.width = 2000;
    c.height = 270;
    c.caption = "Done";
    render();
    EXPECT_EQ(band.items.lines.size(), 4u);
    EXPECT_EQ(texts(), std::vector<std::string>{"Done"});
    EXPECT_GT(band.items.texts[0].x, 8); // right of the 8-point box
    c.checked = true;
    render();
    EXPECT_EQ(band.items.lines.size(), 6u);
}

} // namespace
} // namespace vorn::engine
