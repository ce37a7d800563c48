#include "data/lookups.h"
#include "data/mod_report_main.h"
#include "tracker_fixture.h"

using namespace vorn;
using namespace vorn::test;

class ItemProject : public test::TrackerFixture {};

TEST_F(ItemProject, WalksUpToTheTopmostProject) {
    EXPECT_EQ(GetItemProject(6), "Alpha"); // Drafts, under Docs, under Alpha
    EXPECT_EQ(GetItemProject(1), "Alpha"); // Alpha itself
    EXPECT_EQ(GetItemProject(7), "O'Brien's Tools");
    EXPECT_EQ(GetItemProject(999), "None"); // no such item
}

TEST_F(ItemProject, WalksEndOnNullParentsCirclesAndEmptyNames) {
    runSql(tracker_, "INSERT INTO Projects VALUES (20, 'Orphan', '2000-01-01', NULL);"
                     "INSERT INTO Projects VALUES (21, 'Ring A', '2000-01-01', 22);"
                     "INSERT INTO Projects VALUES (22, 'Ring B', '2000-01-01', 21);"
                     "INSERT INTO Projects VALUES (23, '', '2000-01-01', 0);"
                     "INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (20, "
                     "20, 'Open', NULL);"
                     "INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (21, "
                     "21, 'Open', NULL);"
                     "INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (23, "
                     "23, 'Open', NULL);");
    EXPECT_EQ(GetItemProject(20), "Orphan");
    const std::string ring = GetItemProject(21);
    EXPECT_TRUE(ring == "Ring A" || ring == "Ring B") << ring;
    EXPECT_EQ(GetItemProject(23), "None");
}

TEST_F(ItemProject, NoConnectionOrABrokenQueryIsNone) {
    runSql(tracker_, "DROP TABLE Projects");
    EXPECT_EQ(GetItemProject(1), "None");
    modReportMain().gDSN.reset();
    EXPECT_EQ(GetItemProject(1), "None");
}
