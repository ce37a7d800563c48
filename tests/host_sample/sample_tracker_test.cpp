#include "host/sample/sample_tracker.h"

#include "tests/support/command_and_file.h"
#include "tests/support/error_code.h"
#include "tests/support/sqlite_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace vorn::host {
namespace {

namespace fs = std::filesystem;
using Tracker = vorn::test::SqliteFile;
using Text = Tracker::Cell;

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

// Counts that are 0 in every tracker: links to nowhere and impossible values.
constexpr const char* kNever[] = {
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
};

// Counts above 0 in every tracker: the awkward data the reports must cope with.
constexpr const char* kSome[] = {
    "SELECT count(*) FROM Projects WHERE ProjectIndex NOT IN (SELECT ProjectIndex FROM Items)",
    "SELECT count(*) FROM Items WHERE AssignedTo IS NULL",
    "SELECT count(*) FROM Items WHERE AssignedTo IS NOT NULL",
    // quotes and letters beyond ASCII
    "SELECT count(*) FROM Projects WHERE ProjectName = 'O''Brien''s Tools'",
    "SELECT count(*) FROM Projects WHERE ProjectName = 'Łódź'",
    "SELECT count(*) FROM Items WHERE AssignedTo = 'D''Arcy' OR CreatedBy = 'D''Arcy'",
    "SELECT count(*) FROM Items WHERE AssignedTo = 'Zoë' OR CreatedBy = 'Zoë'",
    // percentages of every class
    "SELECT count(*) FROM Items WHERE typeof(PercentComplete) = 'integer' AND "
    "PercentComplete BETWEEN 0 AND 100",
    "SELECT count(*) FROM Items WHERE typeof(PercentComplete) = 'real' AND "
    "PercentComplete <> CAST(PercentComplete AS INTEGER)",
    "SELECT count(*) FROM Items WHERE PercentComplete = 42.9",
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
};

TEST_P(SampleTrackerSeeds, HoldsTheAwkwardDataOfRealTrackersButNothingATrackerCouldNot) {
    for (const char* sql : kNever)
        EXPECT_EQ(tracker->number(sql), 0) << sql;
    for (const char* sql : kSome)
        EXPECT_GT(tracker->number(sql), 0) << sql;
}

TEST_P(SampleTrackerSeeds, NestsProjectsThreeLevelsDeepWithoutCycles) {
    std::map<long long, std::optional<long long>> parentOf;
    for (auto& row : tracker->cells("SELECT ProjectIndex, ProjectParent FROM Projects"))
        parentOf[std::stoll(*row[0])] =
            row[1] ? std::optional<long long>(std::stoll(*row[1])) : std::nullopt;
    std::size_t deepest = 0;
    std::set<std::optional<long long>> topParents;
    for (const auto& [project, parent] : parentOf) {
        std::size_t depth = 1;
        std::optional<long long> up = parent;
        while (up && parentOf.count(*up)) {
            ++depth;
            ASSERT_LE(depth, parentOf.size()) << "project " << project << " is in a cycle";
            up = parentOf[*up];
        }
        if (depth == 1)
            topParents.insert(parent);
        deepest = std::max(deepest, depth);
    }
    EXPECT_GE(deepest, 3u);
    // Top-level projects name a parent that is no project, in every form the
    // trackers used.
    EXPECT_TRUE(topParents.count(0));
    EXPECT_TRUE(topParents.count(-1));
    EXPECT_TRUE(topParents.count(std::nullopt));
}

TEST_P(SampleTrackerSeeds, SpellsStatusesEveryWayTheTrackersDid) {
    std::set<Text> spellings;
    for (auto& s : tracker->column("SELECT DISTINCT Status COLLATE BINARY FROM Items"))
        spellings.insert(s);
    for (const char* s : {"Completed", "Open", "In Progress", "Deferred", "completed"})
        EXPECT_TRUE(spellings.count(std::string(s))) << s;
    EXPECT_TRUE(spellings.count(std::nullopt));
    // The column itself ignores letter case, as the trackers' databases did.
    EXPECT_EQ(tracker->number("SELECT count(*) FROM Items WHERE Status = 'COMPLETED'"),
              tracker->number("SELECT count(*) FROM Items WHERE lower(Status) = 'completed'"));
}

TEST_P(SampleTrackerSeeds, WritesDatesAsIsoText) {
    const std::regex iso(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
    for (const char* sql : {"SELECT Created FROM Projects", "SELECT DateCreated FROM Items",
                            "SELECT DateLastModified FROM Items WHERE DateLastModified NOT NULL"})
        for (auto& value : tracker->column(sql))
            ASSERT_TRUE(value && std::regex_match(*value, iso))
                << sql << ": " << value.value_or("null");
}

TEST_P(SampleTrackerSeeds, DescribesItsCustomColumns) {
    const auto custom = tracker->cells("SELECT CustomField, CustomName, CustomType FROM Custom "
                                       "ORDER BY CustomField");
    std::set<std::string> itemColumns;
    for (auto& name : tracker->column("SELECT name FROM pragma_table_info('Items')"))
        itemColumns.insert(*name);
    bool repeated = false;
    bool yesNo = false;
    bool withColon = false;
    bool withoutColon = false;
    for (std::size_t i = 0; i < custom.size(); ++i) {
        const std::string& field = *custom[i][0];
        const std::string& name = *custom[i][1];
        EXPECT_TRUE(itemColumns.count(field)) << field << " is no column of Items";
        repeated = repeated || (i > 0 && *custom[i - 1][0] == field);
        yesNo = yesNo || custom[i][2] == "Yes/No";
        withColon = withColon || name.ends_with(':');
        withoutColon = withoutColon || !name.ends_with(':');
    }
    EXPECT_TRUE(repeated && yesNo && withColon && withoutColon);
    // Rows of one field come back in the order they were written, so "the
    // first row of a run" is the same row for every reader.
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
    const char* name;
    SampleOptions options;
    std::string file; // inside the test folder
    automation::HRESULT code;
    std::string mentions;
};

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
constexpr automation::HRESULT kFailed = automation::E_FAIL;

SampleOptions counts(int projects, int items, int users) {
    return SampleOptions{projects, items, users, 1};
}

INSTANTIATE_TEST_SUITE_P(
    Requests, SampleTrackerRejects,
    ::testing::Values(
        BadRequest{"NegativeProjects", counts(-1, 500, 8), "t.db", kBadArgument,
                   "number of projects must not be negative (got -1)"},
        BadRequest{"NegativeItems", counts(40, -3, 8), "t.db", kBadArgument,
                   "number of items must not be negative (got -3)"},
        BadRequest{"NegativeUsers", counts(40, 500, -8), "t.db", kBadArgument,
                   "number of users must not be negative (got -8)"},
        BadRequest{"ItemsWithoutProjects", counts(0, 5, 8), "t.db", kBadArgument,
                   "at least one project"},
        BadRequest{"EmptyPath", {}, "", kBadArgument, "file name"},
        BadRequest{"MissingFolder", {}, "no such folder/t.db", kFailed, "no such folder/t.db"},
        BadRequest{"TargetIsAFolder", {}, "a folder", kFailed, "a folder"}),
    [](const auto& request) { return std::string(request.param.name); });

} // namespace
} // namespace vorn::host
