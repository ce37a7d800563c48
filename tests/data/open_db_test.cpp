#include "data/mod_report_main.h"
#include "data/open_db.h"
#include "platform/automation/com_error.h"
#include "tests/support/error_code.h"
#include "tracker_fixture.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

using namespace vorn;
using namespace vorn::test;
namespace fs = std::filesystem;

class OpenDb : public test::TrackerFixture {};

const automation::HRESULT kPermissionDenied =
    automation::basicCode(automation::BasicError::PermissionDenied);

namespace {

// Only SQLite's exclusive lock, a write lock on its shared byte range: the
// locks it takes on the way there still let a reader in.
bool lockedByAnotherProcess(const fs::path& file) {
    const int fd = open(file.c_str(), O_RDONLY);
    struct flock probe {};
    probe.l_type = F_RDLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0x40000002;
    probe.l_len = 510;
    const bool locked = fd >= 0 && fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    if (fd >= 0)
        close(fd);
    return locked;
}

// Another program in the middle of writing the database: the sqlite3 shell
// inside an exclusive transaction until the holder goes out of scope.
class HeldByAnotherProcess {
public:
    explicit HeldByAnotherProcess(const fs::path& file)
        : shell_(popen(("sqlite3 '" + file.string() + "' > /dev/null").c_str(), "w")) {
        std::fputs("BEGIN EXCLUSIVE;\nDELETE FROM ProjectDetails;\n", shell_);
        std::fflush(shell_);
        for (int wait = 0; wait < 500 && !lockedByAnotherProcess(file); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~HeldByAnotherProcess() { pclose(shell_); } // the shell rolls back and ends
    HeldByAnotherProcess(const HeldByAnotherProcess&) = delete;
    HeldByAnotherProcess& operator=(const HeldByAnotherProcess&) = delete;

private:
    FILE* shell_;
};

} // namespace

// A database gone, not one at all, or, as a build killed in the middle of a
// write can leave it, one that opens but whose table pages are garbage.
TEST_F(OpenDb, AMissingOrDamagedDatabaseIsReplacedByTheSpare) {
    const std::function<void()> damages[] = {
        [&] { fs::remove(reports_); },
        [&] { std::ofstream(reports_, std::ios::trunc) << "this is not a database"; },
        [&] {
            runSql(reports_, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                             "WHERE i < 2000) INSERT INTO ProjectDetails (FolderPath) SELECT "
                             "'Projects\\' || i FROM n");
            std::fstream file(reports_, std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(2 * 4096);
            const std::string garbage(3 * 4096, '\xA5');
            file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
        }};
    makeReportsDatabase(true);
    for (const auto& damage : damages) {
        modReportMain().gReportsDB = {};
        damage();
        EXPECT_TRUE(OpenDB());
        EXPECT_EQ(queryRows(reports_, "SELECT count(*) FROM ProjectDetails"),
                  std::vector<std::string>{"0"});
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(OpenDb, BothFilesMissingShowsTheMessageOnceAndALaterCallLooksAgain) {
    EXPECT_FALSE(OpenDB());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Vornholm|16|reports.mdb is missing from Vorn application path.  "
                            "Restore this file or re-install Vorn on this system.");
    EXPECT_FALSE(modReportMain().gReportsDB);
    EXPECT_FALSE(fs::exists(reports_)) << "no empty database may be made";

    makeReportsDatabase(true);
    fs::remove(reports_);
    EXPECT_TRUE(OpenDB());
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(OpenDb, ADatabaseAnotherProcessHoldsIsNeverReplaced) {
    makeReportsDatabase(true);
    runSql(reports_, "INSERT INTO ProjectDetails (FolderPath) VALUES ('kept')");
    {
        HeldByAnotherProcess holder(reports_);
        ASSERT_TRUE(lockedByAnotherProcess(reports_));
        expectError([] { OpenDB(); }, kPermissionDenied, "in use by process");
    }
    EXPECT_EQ(queryRows(reports_, "SELECT FolderPath FROM ProjectDetails"),
              std::vector<std::string>{"kept"});
    EXPECT_TRUE(messages_.empty());
}

TEST_F(OpenDb, AFailedCopyOfTheSpareReachesTheCaller) {
    makeReportsDatabase(true);
    fs::remove(reports_);
    fs::create_directory(reports_); // in the way of both the open and the copy
    expectError([] { OpenDB(); }, kPermissionDenied, "vornwiz.dll");
    EXPECT_TRUE(messages_.empty());
}
