#include "tracker_fixture.h"

#include "data/mod_report_main.h"
#include "host/objects/project_tree.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_engine.h"
#include "platform/toolkit/files.h"
#include "platform/toolkit/message_box.h"

#include <sqlite3.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vorn::test {

namespace fs = std::filesystem;

namespace {

struct Db {
    sqlite3* db = nullptr;
    explicit Db(const fs::path& file) {
        if (sqlite3_open(file.c_str(), &db) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Db() { sqlite3_close(db); }
};

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
INSERT INTO Projects VALUES (1, 'Alpha', '1999-03-01 00:00:00', 0);
INSERT INTO Projects VALUES (2, 'Docs', '1999-03-02 10:15:00', 1);
INSERT INTO Projects VALUES (3, 'Drafts', '2001-07-04 00:00:00', 2);
INSERT INTO Projects VALUES (4, 'O''Brien''s Tools', '2002-01-01 00:00:00', 0);
INSERT INTO Projects VALUES (5, 'Empty', '2003-05-05 00:00:00', 0);
INSERT INTO Projects VALUES (6, 'Łódź', '2004-02-29 12:00:00', 0);
INSERT INTO Projects VALUES (7, 'alpha', '2005-01-01 00:00:00', 0);
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (1, 1, 'Completed', 'Zoë');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (2, 1, 'completed', 'Zoë');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (3, 1, 'Open', 'D''Arcy');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (4, 2, 'COMPLETED', 'D''Arcy');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (5, 2, NULL, 'D''Arcy');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (6, 3, 'In Progress', 'Zoë');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (7, 4, 'Completed', 'D''Arcy');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (8, 4, 'Deferred', NULL);
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (9, 6, 'Open', 'Zoë');
INSERT INTO Items (ItemIndex, ProjectIndex, Status, AssignedTo) VALUES (10, 7, 'Completed', 'Zoë');
)sql";

std::string readFile(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

void runSql(const fs::path& file, const std::string& sql) {
    Db db(file);
    char* error = nullptr;
    sqlite3_exec(db.db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    if (sqlite3_exec(db.db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(text);
    }
}

std::vector<std::string> queryRows(const fs::path& file, const std::string& sql) {
    Db db(file);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db.db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db.db));
    std::vector<std::string> rows;
    int step;
    while ((step = sqlite3_step(st)) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            if (c)
                row += '|';
            const auto* text = sqlite3_column_text(st, c);
            row += text ? reinterpret_cast<const char*>(text) : "NULL";
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    // A locked file must fail the test, not read as an empty table.
    if (step != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errstr(step));
    return rows;
}

void TrackerFixture::SetUp() {
    setenv("LC_ALL", "C", 1); // "General Date" in its US form
    char pattern[] = "/tmp/vorn-data-XXXXXX";
    folder_ = mkdtemp(pattern);
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
    std::error_code ec;
    fs::remove_all(folder_, ec);
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
