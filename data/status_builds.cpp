#include "data/status_builds.h"

#include "data/lookups.h"
#include "data/mod_report_main.h"
#include "data/open_db.h"
#include "data/sql_text.h"
#include "data/status_queries.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "platform/automation/ole_date.h"
#include "platform/rdo/connection_ref.h"

#include <functional>

namespace vorn {

using automation::LateBound;
using automation::Variant;

namespace {

// The values worked out for each row; they carry over from row to row where a
// step that ignores errors fails, as the builds always did.
struct StatusRow {
    std::string folderPath;
    std::string projectName;
    std::int32_t completed = 0;
    std::int32_t total = 0;
    std::string created;
};

// Opens the local database unless its connection still answers.
bool reportsDatabaseReady() {
    ReportState& state = modReportMain();
    if (state.gReportsDB && rdo::ConnectionRef(state.gReportsDB.get()).isOpen())
        return true;
    // No connection yet, or one that no longer works: open it anew.
    return OpenDB();
}

// Steps shared by both builds: the node's path, its top-level project, the
// counts and the creation time of the current row.
void readStatusRow(rdo::RowReader& rows, StatusRow& row) {
    ReportState& state = modReportMain();
    const std::string key = "X" + trimmedText(basicNumber(rows.value("ProjectIndex").toI4()));
    try {
        LateBound nodes(automation::getProperty(state.gProjectTree.dispatch(), "Nodes"));
        const Variant node = nodes.get("Item", {Variant(key)});
        row.folderPath = automation::getProperty(node.dispatch(), "FullPath").toString();
    } catch (...) {
        // A project the tree does not know is filed under its own name at the
        // top level rather than under the previous row's path.
        try {
            row.folderPath = rows.value("ProjectName").toString();
        } catch (...) {
            row.folderPath.clear();
        }
    }
    try {
        row.projectName = GetProjectFromPath(row.folderPath);
    } catch (...) {
    }
    try {
        // Wider than NullToZero's 16 bits, so that counts above 32767 survive.
        const Variant completed = rows.value("Completed");
        row.completed = completed.isNull() ? 0 : completed.toI4();
    } catch (...) {
    }
    try {
        row.total = rows.value("Total").toI4();
    } catch (...) {
    }
    row.created = automation::formatGeneralDate(rows.value("Created").toDate());
}

std::string countsText(const StatusRow& row) {
    return basicNumber(row.completed) + "," + basicNumber(row.total - row.completed) + "," +
           basicNumber(row.total) + ")";
}

} // namespace

namespace {

// Holds the local database's file lock from the delete to the last insert.
// Every statement still commits by itself; only the lock and unlock of the
// file around each one (most of an insert's cost) are saved. Other
// connections, such as the report's own, read the table once it is released.
class ExclusiveHold {
public:
    explicit ExclusiveHold(rdo::ConnectionRef& db) : db_(db) {
        db_.execute("PRAGMA locking_mode=EXCLUSIVE");
    }
    ~ExclusiveHold() {
        try {
            // The lock goes with the next read of the file once the mode is back.
            db_.execute("PRAGMA locking_mode=NORMAL");
            db_.execute("PRAGMA schema_version");
        } catch (...) {
            // A connection that broke down mid-build has no lock left to give
            // back; the build's own error is what the caller needs to see.
        }
    }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;

private:
    rdo::ConnectionRef& db_;
};

// The steps both builds share: make sure the local database is open, open the
// tracker query, empty the table, then hand each row to `insertRow`, which
// writes (or leaves out) its statement.
void buildStatus(
    const std::string& sql,
    const std::function<void(rdo::RowReader&, const StatusRow&, rdo::ConnectionRef&)>& insertRow) {
    ReportState& state = modReportMain();
    if (!reportsDatabaseReady())
        return;
    rdo::RowReader rows =
        rdo::ConnectionRef(state.gDSN.get())
            .openResultset(sql, rdo::CursorType::Dynamic, rdo::LockType::OptimisticValues);
    rdo::ConnectionRef reportsDB(state.gReportsDB.get());
    const ExclusiveHold hold(reportsDB);
    reportsDB.execute("DELETE * FROM ProjectDetails");
    StatusRow row;
    while (!rows.eof()) {
        readStatusRow(rows, row);
        insertRow(rows, row, reportsDB);
        rows.moveNext();
    }
    rows.close();
}

} // namespace

void BuildProjectStatus() {
    const ReportState& state = modReportMain();
    buildStatus(projectStatusQuery(state.gDatabaseType),
                [&](rdo::RowReader&, const StatusRow& row, rdo::ConnectionRef& reportsDB) {
                    const std::string statement =
                        "INSERT INTO ProjectDetails "
                        "(FolderPath,ProjectName,ProjectCreated,ItemsComplete,ItemsIncomplete,"
                        "ItemsTotal) VALUES ('" +
                        quoteDoubled(row.folderPath) + "','" + quoteDoubled(row.projectName) +
                        "','" + quoteDoubled(row.created) + "'," + countsText(row);
                    if (state.gProjectFilter.empty() || state.gProjectFilter == row.projectName)
                        reportsDB.execute(statement);
                });
}

void BuildUserStatus() {
    const ReportState& state = modReportMain();
    buildStatus(userStatusQuery(state.gDatabaseType, state.gUserName),
                [](rdo::RowReader& rows, const StatusRow& row, rdo::ConnectionRef& reportsDB) {
                    const std::string assignee = rows.value("AssignedTo").toString();
                    reportsDB.execute("INSERT INTO ProjectDetails "
                                      "(AssignedTo,FolderPath,ProjectName,ProjectCreated,"
                                      "ItemsComplete,ItemsIncomplete,ItemsTotal) VALUES ('" +
                                      quoteDoubled(assignee) + "','" +
                                      quoteDoubled(row.folderPath) + "','" +
                                      quoteDoubled(row.projectName) + "','" +
                                      quoteDoubled(row.created) + "'," + countsText(row));
                });
}

} // namespace vorn
