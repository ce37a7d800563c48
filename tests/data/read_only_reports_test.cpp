// The local reports database where it can't be written: the file read-only,
// or its whole folder. A build then ends with the database's own error and
// leaves the rows of the last build; nothing is copied over the file. Both
// are made with read-only bind mounts, which hold for root too, so the cases
// need root and are skipped elsewhere.
#include "data/mod_report_main.h"
#include "data/status_builds.h"
#include "platform/automation/com_error.h"
#include "tracker_fixture.h"

#include <sys/mount.h>

using namespace vorn;
using namespace vorn::test;

namespace {

// `path` (a file or a folder) seen read-only until the object goes.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const std::filesystem::path& path) : path_(path) {
        if (::mount(path_.c_str(), path_.c_str(), nullptr, MS_BIND, nullptr) != 0)
            return;
        mounted_ = true;
        readOnly_ = ::mount(nullptr, path_.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                            nullptr) == 0;
    }
    ~ReadOnlyMount() {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
    }
    ReadOnlyMount(const ReadOnlyMount&) = delete;
    ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;
    bool readOnly() const noexcept { return readOnly_; }

private:
    std::filesystem::path path_;
    bool mounted_ = false;
    bool readOnly_ = false;
};

struct Unwritable {
    const char* name;
    bool wholeFolder;
};

class ReadOnlyReports : public TrackerFixture, public ::testing::WithParamInterface<Unwritable> {
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
    const ReadOnlyMount readOnly(GetParam().wholeFolder ? folder_ : reports_);
    if (!readOnly.readOnly())
        GTEST_SKIP() << "read-only bind mounts need root";

    modReportMain().gUserName = "D'Arcy";
    try {
        BuildUserStatus();
        FAIL() << "the database can't be written";
    } catch (const automation::ComError& e) {
        EXPECT_NE(e.description().find("readonly"), std::string::npos) << e.description();
    }
    EXPECT_EQ(projectDetails(), lastRows);
    EXPECT_TRUE(messages_.empty());
}

INSTANTIATE_TEST_SUITE_P(Unwritable, ReadOnlyReports,
                         ::testing::Values(Unwritable{"File", false}, Unwritable{"Folder", true}),
                         [](const auto& unwritable) { return std::string(unwritable.param.name); });

} // namespace
