// The report model: controls added by type name, sections, copies, and the
// pictures the designs carry.
#include "platform/engine/engine_error.h"
#include "platform/engine/model/control_collection.h"
#include "platform/engine/model/picture.h"
#include "platform/engine/model/report.h"
#include "reports/designs/embedded_designs.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

namespace vorn::engine {
namespace {

using test::codeOf;

TEST(ControlCollection, addByTypeNameMakesAnEmptyControlNamedAfterTheFirstFreeNumber) {
    const struct {
        const char* typeName;
        ControlKind kind;
        const char* firstName;
    } cases[] = {{"DDActiveReports.Label", ControlKind::Label, "Label1"},
                 {"DDActiveReports.Field", ControlKind::Field, "Field1"},
                 {"DDActiveReports.Checkbox", ControlKind::CheckBox, "CheckBox1"}};
    for (const auto& c : cases) {
        ControlCollection controls;
        Control& added = controls.add(c.typeName);
        EXPECT_EQ(added.kind, c.kind);
        EXPECT_EQ(added.name, c.firstName);
        EXPECT_TRUE(added.text.empty() && added.caption.empty() && added.visible);
        // New controls start with the engine's default font.
        EXPECT_EQ(added.font, (FontStyle{"Arial", 10.0, false}));
    }
    ControlCollection controls;
    controls.add(ControlKind::Field, "Field2");
    EXPECT_EQ(controls.add("DDActiveReports.Field").name, "Field3");
    EXPECT_EQ(controls.add("DDActiveReports.Label").name, "Label3");
}

TEST(Report, errorsOfItAndItsControlsCarryTheirCodes) {
    Report report("r");
    ControlCollection& controls = report.addSection(SectionKind::Detail, "Detail").controls;
    controls.add(ControlKind::Label, "a");
    EXPECT_EQ(codeOf([&] { controls.add("DDActiveReports.Button"); }),
              error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { controls.add("ddactivereports.label"); }), error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { controls.add(ControlKind::Field, "a"); }), error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { controls.at(1); }), error_code::kBadIndex);
    EXPECT_EQ(codeOf([&] { controls.at(-1); }), error_code::kBadIndex);
    EXPECT_EQ(codeOf([&] { controls.get("b"); }), error_code::kNotFound);
    EXPECT_EQ(codeOf([&] { report.setOrientation(3); }), error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { report.setOrientation(0); }), error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { report.section("PageHeader"); }), error_code::kNotFound);
    EXPECT_EQ(codeOf([&] { report.addSection(SectionKind::Detail, "Detail"); }),
              error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { report.dataControl("rdoReport"); }), error_code::kNotFound);
    EXPECT_EQ(codeOf([&] { report.control("x"); }), error_code::kNotFound);
}

TEST(Report, copiesAreDeep) {
    Report report("r");
    report.addSection(SectionKind::Detail, "Detail").controls.add(ControlKind::Field, "f");
    Report copy(report);
    copy.section("Detail").controls.get("f").text = "changed";
    copy.section("Detail").controls.add("DDActiveReports.Label");
    EXPECT_EQ(report.section("Detail").controls.get("f").text, "");
    EXPECT_EQ(report.section("Detail").controls.count(), 1);
}

TEST(Picture, designPicturesHaveTheirSizeAndFormatAndTheLogoIsBaselineJpeg) {
    const struct {
        const char* file;
        PictureFormat format;
        int width, height, bits;
    } cases[] = {{"banner.bmp", PictureFormat::Bmp, 420, 64, 8},
                 {"itemicon.bmp", PictureFormat::Bmp, 44, 57, 24},
                 {"logo.jpg", PictureFormat::Jpeg, 127, 200, 24},
                 {"windowicon.bmp", PictureFormat::Bmp, 16, 16, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto bytes = designs::findFile(c.file);
        ASSERT_TRUE(bytes.has_value());
        auto picture = Picture::fromBytes(std::string(*bytes));
        EXPECT_EQ(picture->format(), c.format);
        EXPECT_EQ(picture->width(), c.width);
        EXPECT_EQ(picture->height(), c.height);
        EXPECT_EQ(picture->bitsPerPixel(), c.bits);
    }
    auto logo = std::string(*designs::findFile("logo.jpg"));
    EXPECT_NE(logo.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(logo.find("\xFF\xC2"), std::string::npos);
}

TEST(Picture, refusesWhatItCannotRead) {
    for (std::string bad : {std::string("GIF89a"), std::string("BM12"), std::string()})
        EXPECT_EQ(codeOf([&] { Picture::fromBytes(bad); }), error_code::kInvalidArgument) << bad;
}

} // namespace
} // namespace vorn::engine
