// Both status builds, in both SQL forms, over a small tracker on SQLite.
#include "data/mod_report_main.h"
#include "data/status_builds.h"
#include "platform/automation/com_error.h"
#include "tests/support/error_code.h"
#include "tracker_fixture.h"

using namespace vorn;
using namespace vorn::test;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

const std::vector<std::string> kProjectRows = {
    "NULL|Projects\\Alpha|Alpha|3/1/1999|2|1|3",
    "NULL|Projects\\Alpha\\Docs|Alpha|3/2/1999 10:15:00 AM|1|1|2",
    "NULL|Projects\\Alpha\\Docs\\Drafts|Alpha|7/4/2001|0|1|1",
    "NULL|Projects\\Empty|Empty|5/5/2003|0|0|0",
    "NULL|Projects\\O'Brien's Tools|O'Brien's Tools|1/1/2002|1|1|2",
    "NULL|Projects\\alpha|alpha|1/1/2005|1|0|1",
    "NULL|Projects\\Łódź|Łódź|2/29/2004 12:00:00 PM|0|1|1",
};

const std::vector<std::string> kDarcyRows = {
    "D'Arcy|Projects\\Alpha|Alpha|3/1/1999|0|1|1",
    "D'Arcy|Projects\\Alpha\\Docs|Alpha|3/2/1999 10:15:00 AM|1|1|2",
    "D'Arcy|Projects\\O'Brien's Tools|O'Brien's Tools|1/1/2002|1|0|1",
};
const std::vector<std::string> kZoeRows = {
    "Zoë|Projects\\Alpha|Alpha|3/1/1999|2|0|2",
    "Zoë|Projects\\Alpha\\Docs\\Drafts|Alpha|7/4/2001|0|1|1",
    "Zoë|Projects\\alpha|alpha|1/1/2005|1|0|1",
    "Zoë|Projects\\Łódź|Łódź|2/29/2004 12:00:00 PM|0|1|1",
};

} // namespace

class StatusBuilds : public test::TrackerFixture,
                     public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        makeReportsDatabase(false);
        attachProjectTree();
        modReportMain().gDatabaseType = GetParam();
    }
};

TEST_P(StatusBuilds, ProjectStatusCountsEveryProjectOrTheFilteredOneWithOrWithoutTheTree) {
    BuildProjectStatus();
    EXPECT_THAT(projectDetails(), ElementsAreArray(kProjectRows));
    // The project filter is exact and case-sensitive.
    modReportMain().gProjectFilter = "Alpha";
    BuildProjectStatus();
    EXPECT_THAT(projectDetails(),
                ElementsAreArray(std::vector(kProjectRows.begin(), kProjectRows.begin() + 3)));
    // A project missing from the tree is filed under its own name.
    modReportMain().gProjectFilter = "";
    modReportMain().gProjectTree = automation::Variant();
    BuildProjectStatus();
    const auto rows = projectDetails();
    ASSERT_EQ(rows.size(), kProjectRows.size());
    EXPECT_EQ(rows[1], "NULL|Docs|Docs|3/2/1999 10:15:00 AM|1|1|2");
}

TEST_P(StatusBuilds, EachBuildReplacesTheRowsOfTheLast) {
    BuildProjectStatus();
    modReportMain().gUserName = "D'Arcy";
    BuildUserStatus();
    EXPECT_THAT(projectDetails(), ElementsAreArray(kDarcyRows));
    modReportMain().gUserName = "Zoë";
    BuildUserStatus();
    EXPECT_THAT(projectDetails(), ElementsAreArray(kZoeRows));
    // A user without items leaves the table empty.
    modReportMain().gUserName = "Nobody";
    BuildUserStatus();
    EXPECT_TRUE(projectDetails().empty());
}

TEST_P(StatusBuilds, CompletedCountsAbove32767SurviveTheBuild) {
    runSql(tracker_, "WITH RECURSIVE n(i) AS (SELECT 1000 UNION ALL SELECT i + 1 FROM n WHERE i "
                     "< 40999) INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) "
                     "SELECT i, 5, 'Completed', 'Zoë' FROM n;");
    BuildProjectStatus();
    EXPECT_EQ(projectDetails()[3], "NULL|Projects\\Empty|Empty|5/5/2003|40000|0|40000");
}

TEST_P(StatusBuilds, AMissingTableIsAClearErrorAndTheLastRowsStay) {
    BuildProjectStatus();
    runSql(tracker_, "DROP TABLE Items");
    EXPECT_THAT(failureOf([] { BuildProjectStatus(); }).description, HasSubstr("Items"));
    EXPECT_EQ(projectDetails().size(), kProjectRows.size());
}

TEST_P(StatusBuilds, AFailedInsertEndsTheBuildKeepsEarlierRowsAndFreesTheFile) {
    runSql(reports_, "CREATE TRIGGER refuse BEFORE INSERT ON ProjectDetails "
                     "WHEN NEW.ProjectName = 'Empty' BEGIN SELECT RAISE(ABORT, 'no room'); END");
    EXPECT_THAT(failureOf([] { BuildProjectStatus(); }).description, HasSubstr("no room"));
    // The rows the query gave before the refused one stay; its order differs by form.
    const auto kept = projectDetails();
    EXPECT_FALSE(kept.empty());
    EXPECT_LT(kept.size(), kProjectRows.size());
    EXPECT_THAT(kept, ::testing::IsSubsetOf(kProjectRows));
    EXPECT_THAT(kept, ::testing::Each(::testing::Not(HasSubstr("|Empty|"))));
    // Another connection can write at once: the build gave the file back.
    runSql(reports_, "PRAGMA busy_timeout=0; DELETE FROM ProjectDetails");
    modReportMain().gUserName = "D'Arcy";
    BuildUserStatus();
    EXPECT_THAT(projectDetails(), ElementsAreArray(kDarcyRows));
}

TEST_P(StatusBuilds, AMissingLocalDatabaseShowsTheMessageAndChangesNothing) {
    std::filesystem::remove(reports_);
    BuildProjectStatus();
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(reports_));
}

TEST_P(StatusBuilds, AllUsersServerFormLeavesOutItemsWithoutAnAssigneeTheAccessFormStops) {
    if (GetParam() == std::string("SQL Server")) {
        BuildUserStatus();
        std::vector<std::string> both = kDarcyRows;
        both.insert(both.end(), kZoeRows.begin(), kZoeRows.end());
        EXPECT_THAT(projectDetails(), ElementsAreArray(both));
        return;
    }
    modReportMain().gDatabaseType = "sql server"; // any other spelling is the Access form
    // An unassigned item gives no statement in the Access form.
    EXPECT_EQ(codeOf([] { BuildUserStatus(); }),
              automation::basicCode(automation::BasicError::InvalidUseOfNull));
}

INSTANTIATE_TEST_SUITE_P(BothForms, StatusBuilds, ::testing::Values("SQL Server", "Access"));
