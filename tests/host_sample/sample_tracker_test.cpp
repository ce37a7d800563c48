#include "host/sample/sample_tracker.h"

#include "tests/support/command_and_file.h"
#include "tests/support/error_code.h"
#include "tests/support/sqlite_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vorn::host {
namespace {

namespace fs = std::filesystem;
using Tracker = vorn::test::SqliteFile;

class SampleTrackerTest : public vorn::test::TempFolderTest {
protected:
    fs::path write(const SampleOptions& options, const std::string& name = "tracker.db") {
        const fs::path path = folder / name;
        writeSampleTracker(path.string(), options);
        return path;
    }
};

class SampleTrackerSeeds : public SampleTrackerTest,
                           public ::testing::WithParamInterface<std::uint32_t> {
protected:
    void SetUp() override {
        SampleTrackerTest::SetUp();
        options.seed = GetParam();
        tracker.emplace(write(options));
    }
    SampleOptions options;
    std::optional<Tracker> tracker;
};

TEST_P(SampleTrackerSeeds, HoldsTheCountsAskedFor) {
    EXPECT_EQ(tracker->number("SELECT count(*) FROM Projects"), options.projects);
    EXPECT_EQ(tracker->number("SELECT count(*) FROM Items"), options.items);
    EXPECT_EQ(tracker->number("SELECT min(ItemIndex) FROM Items"), 1);
    EXPECT_EQ(tracker->number("SELECT max(ItemIndex) FROM Items"), options.items);
    EXPECT_EQ(tracker->number("SELECT count(DISTINCT U) FROM (SELECT AssignedTo AS U FROM Items "
                              "UNION SELECT CreatedBy FROM Items UNION SELECT LastModifiedBy "
                              "FROM Items) WHERE U IS NOT NULL"),
              options.users);
}

// Every project's chain of parents, as far as it goes (a cycle stops at
// the 100th step).
constexpr const char* kChains =
    "WITH RECURSIVE up(project, parent, depth) AS (SELECT ProjectIndex, ProjectParent, 1 FROM "
    "Projects UNION ALL SELECT project, ProjectParent, depth + 1 FROM up JOIN Projects ON "
    "ProjectIndex = parent WHERE depth < 100) ";
constexpr const char* kIso =
    "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'";

// Counts that are 0 in every tracker: links to nowhere and impossible values.
const std::string kNever[] = {
    // every item in a project
    "SELECT count(*) FROM Items WHERE ProjectIndex IS NULL OR "
    "ProjectIndex NOT IN (SELECT ProjectIndex FROM Projects)",
    // no name repeated among siblings
    "SELECT count(*) FROM (SELECT 1 FROM Projects GROUP BY ProjectParent, ProjectName "
    "HAVING count(*) > 1)",
    "SELECT count(*) FROM Items WHERE DateLastModified < DateCreated",
    "SELECT count(*) FROM Items JOIN Projects USING (ProjectIndex) WHERE DateCreated < Created",
    // the yes/no custom field holds what a yes/no column can
    "SELECT count(*) FROM Items WHERE Regression NOT IN (0, 1)",
    // no project is its own ancestor
    std::string(kChains) + "SELECT count(*) FROM up WHERE depth = 100",
    // dates as ISO text
    std::string("SELECT count(*) FROM Projects WHERE Created IS NULL OR Created NOT GLOB ") + kIso,
    std::string("SELECT count(*) FROM Items WHERE DateCreated IS NULL OR DateCreated NOT GLOB ") +
        kIso + " OR DateLastModified NOT GLOB " + kIso,
    // the status column ignores letter case, as the trackers' databases did
    "SELECT count(*) FROM Items WHERE (Status = 'COMPLETED') <> (lower(Status) = 'completed')",
    // every spelling of a status the trackers used
    "SELECT 5 - count(DISTINCT Status COLLATE BINARY) FROM Items WHERE Status COLLATE BINARY IN "
    "('Completed', 'Open', 'In Progress', 'Deferred', 'completed')",
    // custom fields are columns of Items
    "SELECT count(*) FROM Custom WHERE CustomField NOT IN "
    "(SELECT name FROM pragma_table_info('Items'))",
};

// Counts above 0 in every tracker: the awkward data the reports must cope with.
const std::string kSome[] = {
    "SELECT count(*) FROM Projects WHERE ProjectIndex NOT IN (SELECT ProjectIndex FROM Items)",
    "SELECT count(*) FROM Items WHERE AssignedTo IS NULL",
    "SELECT count(*) FROM Items WHERE AssignedTo IS NOT NULL",
    "SELECT count(*) FROM Items WHERE Status IS NULL",
    // quotes and letters beyond ASCII
    "SELECT count(*) FROM Projects WHERE ProjectName = 'O''Brien''s Tools'",
    "SELECT count(*) FROM Projects WHERE ProjectName = 'Łódź'",
    "SELECT count(*) FROM Items WHERE AssignedTo = 'D''Arcy' OR CreatedBy = 'D''Arcy'",
    "SELECT count(*) FROM Items WHERE AssignedTo = 'Zoë' OR CreatedBy = 'Zoë'",
    // projects three levels deep; top-level ones name a parent that is no
    // project, in every form the trackers used
    std::string(kChains) + "SELECT count(*) FROM up WHERE depth = 3",
    "SELECT count(*) FROM Projects WHERE ProjectParent = 0",
    "SELECT count(*) FROM Projects WHERE ProjectParent = -1",
    "SELECT count(*) FROM Projects WHERE ProjectParent IS NULL",
    // percentages of every class
    "SELECT count(*) FROM Items WHERE typeof(PercentComplete) = 'integer' AND "
    "PercentComplete BETWEEN 0 AND 100",
    "SELECT count(*) FROM Items WHERE typeof(PercentComplete) = 'real' AND "
    "PercentComplete <> CAST(PercentComplete AS INTEGER)",
    "SELECT count(*) FROM Items WHERE PercentComplete = 150",
    "SELECT count(*) FROM Items WHERE PercentComplete = -5",
    "SELECT count(*) FROM Items WHERE PercentComplete = ''",
    "SELECT count(*) FROM Items WHERE PercentComplete IS NULL",
    // empty and multi-line comments
    "SELECT count(*) FROM Items WHERE Comments = ''",
    "SELECT count(*) FROM Items WHERE Comments IS NULL",
    "SELECT count(*) FROM Items WHERE instr(Comments, char(10))",
    // dates at midnight
    "SELECT count(*) FROM Items WHERE DateCreated LIKE '% 00:00:00'",
    "SELECT count(*) FROM Projects WHERE Created LIKE '% 00:00:00'",
    // a field with two captions; captions with and without a colon
    "SELECT count(*) FROM (SELECT 1 FROM Custom GROUP BY CustomField HAVING count(*) > 1)",
    "SELECT count(*) FROM Custom WHERE CustomType = 'Yes/No'",
    "SELECT count(*) FROM Custom WHERE CustomName LIKE '%:'",
    "SELECT count(*) FROM Custom WHERE CustomName NOT LIKE '%:'",
};

TEST_P(SampleTrackerSeeds, HoldsTheAwkwardDataOfRealTrackersButNothingATrackerCouldNot) {
    for (const std::string& sql : kNever)
        EXPECT_EQ(tracker->number(sql), 0) << sql;
    for (const std::string& sql : kSome)
        EXPECT_GT(tracker->number(sql), 0) << sql;
    // Rows of one custom field come back in the order they were written, so
    // "the first row of a run" is the same row for every reader.
    const auto order = tracker->cells("SELECT CustomField, rowid FROM Custom ORDER BY CustomField");
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (order[i][0] == order[i - 1][0]) {
            EXPECT_LT(std::stoll(*order[i - 1][1]), std::stoll(*order[i][1])) << *order[i][0];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleTrackerSeeds,
                         ::testing::Values(1u, 2u, 7u, 2024u, 0xFFFFFFFFu));

TEST_F(SampleTrackerTest, GivesTheSameBytesForTheSameSeedAndOtherDataForAnother) {
    SampleOptions options;
    options.seed = 99;
    const std::string first = vorn::test::readFile(write(options, "a.db"));
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(first == vorn::test::readFile(write(options, "b.db")));
    options.seed = 2;
    const Tracker one(folder / "a.db");
    const Tracker two(write(options, "c.db"));
    for (const char* sql : {"SELECT ProjectIndex, Status, AssignedTo, Subject FROM Items",
                            "SELECT ProjectName, ProjectParent, Created FROM Projects"})
        EXPECT_NE(one.cells(sql), two.cells(sql)) << sql;
}

// Over a file that is no database, with every item in the one project.
TEST_F(SampleTrackerTest, ReplacesAnExistingFileAndWritesSmallTrackers) {
    std::ofstream(folder / "tracker.db") << "not a database";
    const Tracker one(write(SampleOptions{1, 20, 0, 1}));
    EXPECT_EQ(one.number("SELECT count(*) FROM Items WHERE ProjectIndex = 1"), 20);
    EXPECT_EQ(one.number("SELECT count(*) FROM Items WHERE AssignedTo NOT NULL OR CreatedBy "
                         "NOT NULL"),
              0);
    const Tracker empty(write(SampleOptions{0, 0, 0, 1}, "empty.db"));
    EXPECT_EQ(empty.number("SELECT count(*) FROM Projects"), 0);
    EXPECT_EQ(empty.number("SELECT count(*) FROM Items"), 0);
    EXPECT_GT(empty.number("SELECT count(*) FROM Custom"), 0);
}

struct BadRequest {
    SampleOptions options;
    std::string file; // inside the test folder
    automation::HRESULT code;
    std::string mentions;
};

void PrintTo(const BadRequest& bad, std::ostream* out) {
    *out << bad.mentions;
}

class SampleTrackerRejects : public SampleTrackerTest,
                             public ::testing::WithParamInterface<BadRequest> {};

TEST_P(SampleTrackerRejects, WithACodeAndAClearMessage) {
    const BadRequest& bad = GetParam();
    fs::create_directories(folder / "a folder");
    const std::string path = bad.file.empty() ? "" : (folder / bad.file).string();
    vorn::test::expectError([&] { writeSampleTracker(path, bad.options); }, bad.code, bad.mentions);
    // A failed write leaves nothing half-built behind.
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".building"), std::string::npos);
}

constexpr automation::HRESULT kBadArgument = automation::E_INVALIDARG;

SampleOptions counts(int projects, int items, int users) {
    return SampleOptions{projects, items, users, 1};
}

INSTANTIATE_TEST_SUITE_P(
    Requests, SampleTrackerRejects,
    ::testing::Values(
        BadRequest{counts(-1, 5, 8), "t", kBadArgument, "projects must not be negative (got -1)"},
        BadRequest{counts(4, -3, 8), "t", kBadArgument, "items must not be negative (got -3)"},
        BadRequest{counts(4, 5, -8), "t", kBadArgument, "users must not be negative (got -8)"},
        BadRequest{counts(0, 5, 8), "t", kBadArgument, "at least one project"},
        BadRequest{{}, "", kBadArgument, "file name"},
        BadRequest{{}, "no such folder/t.db", automation::E_FAIL, "no such folder/t.db"},
        BadRequest{{}, "a folder", automation::E_FAIL, "a folder"}));

} // namespace
} // namespace vorn::host
