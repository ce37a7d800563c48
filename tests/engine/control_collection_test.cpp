#include "platform/engine/engine_error.h"
#include "platform/engine/model/control_collection.h"
#include "platform/engine/model/report.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vorn::engine {
namespace {

struct TypeCase {
    const char* typeName;
    ControlKind kind;
    const char* firstName;
};

std::ostream& operator<<(std::ostream& out, const TypeCase& c) {
    return out << c.typeName;
}

class ControlsAdd : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ControlsAdd, makesAnEmptyControlOfTheKind) {
    ControlCollection controls;
    Control& c = controls.add(GetParam().typeName);
    EXPECT_EQ(c.kind, GetParam().kind);
    EXPECT_EQ(c.name, GetParam().firstName);
    EXPECT_TRUE(c.text.empty());
    EXPECT_TRUE(c.caption.empty());
    EXPECT_TRUE(c.visible);
    // New controls start with the engine's default font.
    EXPECT_EQ(c.font, (FontStyle{"Arial", 10.0, false}));
    EXPECT_EQ(&controls.at(0), &c);
}

INSTANTIATE_TEST_SUITE_P(
    TypeNames, ControlsAdd,
    ::testing::Values(TypeCase{"DDActiveReports.Label", ControlKind::Label, "Label1"},
                      TypeCase{"DDActiveReports.Field", ControlKind::Field, "Field1"},
                      TypeCase{"DDActiveReports.Checkbox", ControlKind::CheckBox, "CheckBox1"}));

TEST(ControlCollection, namesNewControlsAfterFreeNumbers) {
    ControlCollection controls;
    controls.add(ControlKind::Field, "Field2");
    EXPECT_EQ(controls.add("DDActiveReports.Field").name, "Field3");
    EXPECT_EQ(controls.add("DDActiveReports.Label").name, "Label3");
}

using test::codeOf;

TEST(ControlCollection, errorsCarryTheirCodes) {
    ControlCollection controls;
    controls.add(ControlKind::Label, "a");
    EXPECT_EQ(codeOf([&] { controls.add("DDActiveReports.Button"); }),
              error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { controls.add("ddactivereports.label"); }), error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { controls.add(ControlKind::Field, "a"); }), error_code::kInvalidArgument);
    EXPECT_EQ(codeOf([&] { controls.at(1); }), error_code::kBadIndex);
    EXPECT_EQ(codeOf([&] { controls.at(-1); }), error_code::kBadIndex);
    EXPECT_EQ(codeOf([&] { controls.get("b"); }), error_code::kNotFound);
}

TEST(Report, errorsCarryTheirCodes) {
    Report report("r");
    report.addSection(SectionKind::Detail, "Detail");
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

} // namespace
} // namespace vorn::engine
