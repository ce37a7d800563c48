// The local reports database where it can't be written: the file read-only,
// or its whole folder. A build then ends with the database's own error and
// leaves the rows of the last build; nothing is copied over the file. Both
// are made with read-only bind mounts, which hold for root too, so the cases
// need root and are skipped elsewhere.
#include "data/mod_report_main.h"
#include "data/status_builds.h"
#include "tests/support/error_code.h"
#include "tracker_fixture.h"

#include "tests/support/scoped_mount.h"

using namespace vorn;
using namespace vorn::test;

namespace {

// The parameter: the whole folder is read-only, not only the file.
class ReadOnlyReports : public TrackerFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        makeReportsDatabase(true);
        attachProjectTree();
        modReportMain().gDatabaseType = "SQL Server";
    }
};

TEST_P(ReadOnlyReports, ABuildFailsClearlyAndKeepsTheLastRows) {
    BuildProjectStatus();
    const std::vector<std::string> lastRows = projectDetails();
    ASSERT_FALSE(lastRows.empty());
    // A component loaded afresh: it opens the database again.
    modReportMain().gReportsDB = {};
    const ScopedMount readOnly = ScopedMount::readOnly((GetParam() ? folder_ : reports_).string());
    if (!readOnly.ready())
        GTEST_SKIP() << "read-only bind mounts need root";

    modReportMain().gUserName = "D'Arcy";
    EXPECT_THAT(failureOf([] { BuildUserStatus(); }).description, ::testing::HasSubstr("readonly"));
    EXPECT_EQ(projectDetails(), lastRows);
    EXPECT_TRUE(messages_.empty());
}

INSTANTIATE_TEST_SUITE_P(Unwritable, ReadOnlyReports, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "Folder" : "File"); });

} // namespace
