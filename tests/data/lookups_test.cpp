#include "data/lookups.h"
#include "data/mod_report_main.h"
#include "data/sql_text.h"
#include "platform/automation/com_error.h"
#include "tests/support/error_code.h"
#include "tracker_fixture.h"

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
                      PathCase{"", ""}, PathCase{"\\", ""}, PathCase{"Projekte\\Łódź\\X", "Łódź"},
                      PathCase{"Projects\\O'Brien's Tools", "O'Brien's Tools"}));

TEST(ProjectFromPath, PositionsPast32767Overflow) {
    const std::string longName(40000, 'a');
    EXPECT_EQ(codeOf([&] { GetProjectFromPath(longName); }), basicCode(BasicError::Overflow));
    EXPECT_EQ(codeOf([&] { GetProjectFromPath(longName + "\\Alpha"); }),
              basicCode(BasicError::Overflow));
    // Within range the same shape works.
    EXPECT_EQ(GetProjectFromPath(std::string(32000, 'a') + "\\Alpha"), "Alpha");
}

// The rest is Variant's own conversion to 16 bits, with its rounding and errors.
TEST(NullToZero, NullIsZeroAndTheRestRoundsToSixteenBits) {
    EXPECT_EQ(NullToZero(Variant::null()), 0);
    EXPECT_EQ(NullToZero(Variant(2.5)), 2);
    EXPECT_EQ(codeOf([] { NullToZero(Variant(std::int32_t{32768})); }),
              basicCode(BasicError::Overflow));
}

TEST(SqlText, NumbersAndQuotes) {
    EXPECT_EQ(basicNumber(42), " 42");
    EXPECT_EQ(basicNumber(0), " 0");
    EXPECT_EQ(basicNumber(-3), "-3");
    EXPECT_EQ(quoteDoubled("O'Brien's"), "O''Brien''s");
    EXPECT_EQ(quoteDoubled("x'); DROP TABLE Items; --"), "x''); DROP TABLE Items; --");
    EXPECT_EQ(trimmedText("  12 "), "12");
}

class ItemProject : public vorn::test::TrackerFixture {};

TEST_F(ItemProject, WalksUpToTheTopmostProjectOrGivesNone) {
    EXPECT_EQ(GetItemProject(6), "Alpha"); // Drafts, under Docs, under Alpha
    EXPECT_EQ(GetItemProject(1), "Alpha"); // Alpha itself
    EXPECT_EQ(GetItemProject(7), "O'Brien's Tools");
    EXPECT_EQ(GetItemProject(999), "None"); // no such item

    // Walks end on null parents, circles and empty names.
    vorn::test::runSql(tracker_,
                       "INSERT INTO Projects VALUES (20, 'Orphan', '2000-01-01', NULL), "
                       "(21, 'Ring A', '2000-01-01', 22), (22, 'Ring B', '2000-01-01', 21), "
                       "(23, '', '2000-01-01', 0);"
                       "INSERT INTO Items (ItemIndex, ProjectIndex, Status) VALUES "
                       "(20, 20, 'Open'), (21, 21, 'Open'), (23, 23, 'Open');");
    EXPECT_EQ(GetItemProject(20), "Orphan");
    const std::string ring = GetItemProject(21);
    EXPECT_TRUE(ring == "Ring A" || ring == "Ring B") << ring;
    EXPECT_EQ(GetItemProject(23), "None");

    // No connection or a broken query is none.
    vorn::test::runSql(tracker_, "DROP TABLE Projects");
    EXPECT_EQ(GetItemProject(1), "None");
    modReportMain().gDSN.reset();
    EXPECT_EQ(GetItemProject(1), "None");
}
