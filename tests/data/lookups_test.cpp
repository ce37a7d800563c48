#include "data/lookups.h"
#include "data/sql_text.h"
#include "platform/automation/com_error.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

using namespace vorn;
using automation::basicCode;
using automation::BasicError;
using automation::Variant;
using vorn::test::codeOf;

struct PathCase {
    const char* path;
    const char* project;
};

class ProjectFromPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(ProjectFromPath, TakesTheSecondSegment) {
    EXPECT_EQ(GetProjectFromPath(GetParam().path), GetParam().project) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProjectFromPath,
    ::testing::Values(PathCase{"Projects\\Alpha\\Docs", "Alpha"},
                      PathCase{"Projects\\Alpha", "Alpha"}, PathCase{"Projects", "Projects"},
                      PathCase{"\\Projects\\Alpha", "Alpha"}, PathCase{"\\Projects", ""},
                      PathCase{"Projects\\", ""}, PathCase{"Projects\\\\Alpha", ""},
                      PathCase{"", ""}, PathCase{"\\", ""},
                      PathCase{"Projekte\\\xc5\x81\xc3\xb3"
                               "d\xc5\xba\\X",
                               "\xc5\x81\xc3\xb3"
                               "d\xc5\xba"},
                      PathCase{"Projects\\O'Brien's Tools", "O'Brien's Tools"}));

TEST(ProjectFromPath, PositionsPast32767Overflow) {
    const std::string longName(40000, 'a');
    EXPECT_EQ(codeOf([&] { GetProjectFromPath(longName); }), basicCode(BasicError::Overflow));
    EXPECT_EQ(codeOf([&] { GetProjectFromPath(longName + "\\Alpha"); }),
              basicCode(BasicError::Overflow));
    // Within range the same shape works.
    EXPECT_EQ(GetProjectFromPath(std::string(32000, 'a') + "\\Alpha"), "Alpha");
}

TEST(NullToZero, NullIsZeroAndTheRestRoundsToSixteenBits) {
    EXPECT_EQ(NullToZero(Variant::null()), 0);
    EXPECT_EQ(NullToZero(Variant(std::int32_t{7})), 7);
    EXPECT_EQ(NullToZero(Variant(2.5)), 2);
    EXPECT_EQ(NullToZero(Variant(3.5)), 4);
    EXPECT_EQ(NullToZero(Variant("12")), 12);
    EXPECT_EQ(NullToZero(Variant()), 0);
    EXPECT_EQ(codeOf([] { NullToZero(Variant(std::int32_t{32768})); }),
              basicCode(BasicError::Overflow));
    EXPECT_EQ(codeOf([] { NullToZero(Variant("many")); }), basicCode(BasicError::TypeMismatch));
}

TEST(SqlText, NumbersAndQuotes) {
    EXPECT_EQ(basicNumber(42), " 42");
    EXPECT_EQ(basicNumber(0), " 0");
    EXPECT_EQ(basicNumber(-3), "-3");
    EXPECT_EQ(quoteDoubled("O'Brien's"), "O''Brien''s");
    EXPECT_EQ(quoteDoubled("x'); DROP TABLE Items; --"), "x''); DROP TABLE Items; --");
    EXPECT_EQ(trimmedText("  12 "), "12");
}
