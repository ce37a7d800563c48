#include "tracker_fixture.h"

#include "command_and_file.h"

#include "data/mod_report_main.h"
#include "host/objects/project_tree.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_engine.h"
#include "platform/toolkit/files.h"
#include "platform/toolkit/message_box.h"

namespace vorn::test {

namespace fs = std::filesystem;

namespace {

// Mixed-case statuses, a project without items, a three-level hierarchy,
// quotes and letters beyond ASCII, an unassigned item and a null status.
constexpr const char* kTracker = R"sql(
CREATE TABLE Projects (ProjectIndex INTEGER PRIMARY KEY, ProjectName TEXT COLLATE NOCASE,
                       Created DATETIME, ProjectParent INTEGER);
CREATE TABLE Items (ItemIndex INTEGER PRIMARY KEY, ProjectIndex INTEGER,
                    Status TEXT COLLATE NOCASE, AssignedTo TEXT COLLATE NOCASE,
                    Subject TEXT, PercentComplete NUMERIC, Comments TEXT, Resolution TEXT,
                    Priority TEXT, Severity TEXT, Type TEXT, CreatedBy TEXT,
                    DateCreated DATETIME, LastModifiedBy TEXT, DateLastModified DATETIME);
CREATE TABLE Custom (CustomField TEXT, CustomName TEXT, CustomType TEXT);
INSERT INTO Projects VALUES (1, 'Alpha', '1999-03-01 00:00:00', 0),
    (2, 'Docs', '1999-03-02 10:15:00', 1), (3, 'Drafts', '2001-07-04 00:00:00', 2),
    (4, 'O''Brien''s Tools', '2002-01-01 00:00:00', 0), (5, 'Empty', '2003-05-05 00:00:00', 0),
    (6, 'Łódź', '2004-02-29 12:00:00', 0), (7, 'alpha', '2005-01-01 00:00:00', 0);
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES
    (1, 1, 'Completed', 'Zoë'), (2, 1, 'completed', 'Zoë'), (3, 1, 'Open', 'D''Arcy'),
    (4, 2, 'COMPLETED', 'D''Arcy'), (5, 2, NULL, 'D''Arcy'), (6, 3, 'In Progress', 'Zoë'),
    (7, 4, 'Completed', 'D''Arcy'), (8, 4, 'Deferred', NULL), (9, 6, 'Open', 'Zoë'),
    (10, 7, 'Completed', 'Zoë');
)sql";

} // namespace

void TrackerFixture::SetUp() {
    setenv("LC_ALL", "C", 1); // "General Date" in its US form
    folder_ = temp_.path();
    tracker_ = folder_ / "tracker.db";
    reports_ = folder_ / "reports.mdb";
    runSql(tracker_, kTracker);
    toolkit::setComponentFolderForTesting(folder_.string());
    toolkit::setMessageBoxObserver([this](const toolkit::MessageBoxCall& call) {
        messages_.push_back(call.title + "|" + std::to_string(call.style) + "|" + call.text);
    });
    ReportState& state = modReportMain();
    state = ReportState{};
    state.gDSN = openSqlite(tracker_);
}

void TrackerFixture::TearDown() {
    modReportMain() = ReportState{};
    toolkit::setMessageBoxObserver(nullptr);
    toolkit::setComponentFolderForTesting({});
}

void TrackerFixture::makeReportsDatabase(bool withSpare) {
    runSql(reports_, readFile(VORN_REPORTS_SCHEMA));
    if (withSpare)
        fs::copy_file(reports_, folder_ / "vornwiz.dll", fs::copy_options::overwrite_existing);
}

automation::ComPtr<automation::IDispatch> TrackerFixture::openSqlite(const fs::path& file) {
    auto engine = automation::makeObject<rdo::RdoEngine>();
    auto connection = engine->environment(0)->openConnection(
        "", false, "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + file.string() + ";");
    return automation::ComPtr<automation::IDispatch>(connection.get());
}

std::vector<std::string> TrackerFixture::projectDetails() const {
    return queryRows(reports_, "SELECT AssignedTo, FolderPath, ProjectName, ProjectCreated, "
                               "ItemsComplete, ItemsIncomplete, ItemsTotal FROM ProjectDetails "
                               "ORDER BY AssignedTo COLLATE BINARY, ProjectName COLLATE BINARY, "
                               "FolderPath COLLATE BINARY");
}

void TrackerFixture::attachProjectTree() {
    std::vector<host::ProjectRow> rows;
    for (const auto& line : queryRows(tracker_, "SELECT ProjectIndex, ProjectName, "
                                                "ProjectParent FROM Projects")) {
        const auto a = line.find('|'), b = line.rfind('|');
        rows.push_back({std::stoi(line.substr(0, a)), line.substr(a + 1, b - a - 1),
                        std::stoi(line.substr(b + 1))});
    }
    auto tree = automation::makeObject<host::ProjectTree>(rows);
    modReportMain().gProjectTree =
        automation::Variant(static_cast<automation::IDispatch*>(tree.get()));
}

} // namespace vorn::test
