// The sample tracker: a SQLite database shaped like the trackers the reports
// read, with data made to trip the reports up.
//
// Projects (ProjectIndex INTEGER PRIMARY KEY, ProjectName, Created, ProjectParent)
//   Numbered from 1 with the odd gap. Parents come before their children, so
//   the links never form a cycle; the first projects make a chain four levels
//   deep, and the hierarchy goes down to five. A top-level project's parent
//   names no project: mostly 0, once -1 and once null. Names repeat across
//   branches ("Docs") and carry quotes and letters beyond ASCII
//   ("O'Brien's Tools", "Łódź"). The last project, and about one in seven
//   others, has no items. Created is "YYYY-MM-DD HH:MM:SS", often midnight.
//
// Custom (CustomField, CustomName, CustomType)
//   Describes the custom columns at the end of Items. "Browser" has two rows
//   in a row; the item detail report takes the first and ignores the second.
//   Some captions end in ":" and some do not; "Regression" is "Yes/No".
//   An index on CustomField makes rows with the same field come back in the
//   order they were written.
//
// Items (ItemIndex INTEGER PRIMARY KEY, ProjectIndex, Status, AssignedTo,
//        Priority, Severity, Type, CreatedBy, DateCreated, LastModifiedBy,
//        DateLastModified, PercentComplete, Subject, Comments, Resolution,
//        Browser, Regression, FoundIn, Customer, Estimate)
//   Numbered 1 to the item count, each in a project that exists. Status is
//   "Completed", "Open", "In Progress", "Deferred", now and then in another
//   letter case ("completed", "OPEN"), or null. AssignedTo is null for about
//   one item in eight; LastModifiedBy and DateLastModified are null together
//   for items never changed. PercentComplete is a whole number, a fraction
//   (42.9), above 100 (150), negative (-5), an empty text or null. Comments
//   are null, empty, one line or several (CR LF or LF); Resolution is mostly
//   set for completed items. Regression holds 0, 1 or null.
//
// Text columns compare without regard to letter case (COLLATE NOCASE), as in
// the trackers' own databases. The same options always give the same bytes:
// all chance comes from one seeded generator, and nothing records the time of
// writing.
#include "host/sample/sample_tracker.h"

#include "host/sample/item_columns.h"
#include "host/sample/item_generator.h"
#include "host/sample/project_plan.h"
#include "host/sample/replacing_file.h"
#include "host/sample/sample_random.h"
#include "host/sample/tracker_time.h"
#include "platform/automation/com_error.h"
#include "platform/rdo/sqlite/sqlite_database.h"
#include "platform/rdo/sqlite/sqlite_statement.h"

#include <array>
#include <string_view>

namespace vorn::host {

namespace {

using automation::ComError;
using rdo::SqliteDatabase;
using rdo::SqliteStatement;

struct CustomRow {
    std::string_view field;
    std::string_view name;
    std::string_view type;
};

constexpr std::array<CustomRow, 6> kCustomRows{{
    {"Regression", "Regression:", "Yes/No"},
    {"Browser", "Browser", "Text"},
    {"Browser", "Web browser:", "Text"},
    {"FoundIn", "Found in version:", "Text"},
    {"Customer", "Customer", "Text"},
    {"Estimate", "Estimate (hours):", "Number"},
}};

// Speed over safety: a failed build is thrown away whole, so there is
// nothing for a journal or a sync to protect.
constexpr const char* kSettings = "PRAGMA journal_mode=OFF;"
                                  "PRAGMA synchronous=OFF;"
                                  "PRAGMA locking_mode=EXCLUSIVE;"
                                  "PRAGMA cache_size=-65536;";

constexpr const char* kTables =
    "CREATE TABLE Projects (ProjectIndex INTEGER PRIMARY KEY, ProjectName TEXT COLLATE NOCASE, "
    "Created DATETIME, ProjectParent INTEGER);"
    "CREATE TABLE Custom (CustomField TEXT COLLATE NOCASE, CustomName TEXT COLLATE NOCASE, "
    "CustomType TEXT COLLATE NOCASE);"
    "CREATE INDEX CustomByField ON Custom (CustomField);";

// Built after the rows are in, which is several times faster than keeping
// them up to date row by row.
constexpr const char* kItemIndexes = "CREATE INDEX ItemsByProject ON Items (ProjectIndex);";

std::string itemsTable() {
    std::string sql = "CREATE TABLE Items (";
    for (std::size_t c = 0; c < kItemColumns.size(); ++c) {
        sql += c == 0 ? "" : ", ";
        sql += kItemColumns[c].name;
        sql += ' ';
        sql += kItemColumns[c].type;
    }
    return sql + ")";
}

std::string itemsInsert() {
    std::string names;
    std::string parameters;
    for (std::size_t c = 0; c < kItemColumns.size(); ++c) {
        names += c == 0 ? "" : ",";
        names += kItemColumns[c].name;
        parameters += c == 0 ? "?" : ",?";
    }
    return "INSERT INTO Items (" + names + ") VALUES (" + parameters + ")";
}

void bind(SqliteStatement& statement, int parameter, const SampleValue& value) {
    switch (value.kind) {
    case SampleValue::Kind::Null:
        statement.bindNull(parameter);
        break;
    case SampleValue::Kind::Integer:
        statement.bindInteger(parameter, value.integer);
        break;
    case SampleValue::Kind::Real:
        statement.bindReal(parameter, value.real);
        break;
    case SampleValue::Kind::Text:
        statement.bindText(parameter, value.text);
        break;
    }
}

void checkOptions(const SampleOptions& options) {
    const auto notNegative = [](int value, const char* what) {
        if (value < 0)
            throw ComError(automation::E_INVALIDARG, std::string("The number of ") + what +
                                                         " must not be negative (got " +
                                                         std::to_string(value) + ")");
    };
    notNegative(options.projects, "projects");
    notNegative(options.items, "items");
    notNegative(options.users, "users");
    if (options.items > 0 && options.projects == 0)
        throw ComError(automation::E_INVALIDARG,
                       "Items need at least one project to belong to (got " +
                           std::to_string(options.items) + " items and no project)");
}

void writeProjects(SqliteDatabase& db, const std::vector<SampleProject>& projects) {
    SqliteStatement insert(db, "INSERT INTO Projects (ProjectIndex, ProjectName, Created, "
                               "ProjectParent) VALUES (?, ?, ?, ?)");
    for (const SampleProject& p : projects) {
        const TrackerTimeText created(p.created);
        insert.bindInteger(1, p.index);
        insert.bindText(2, p.name);
        insert.bindText(3, created.view());
        if (p.parent)
            insert.bindInteger(4, *p.parent);
        else
            insert.bindNull(4);
        insert.run();
    }
}

void writeCustom(SqliteDatabase& db) {
    SqliteStatement insert(db, "INSERT INTO Custom (CustomField, CustomName, CustomType) "
                               "VALUES (?, ?, ?)");
    for (const CustomRow& row : kCustomRows) {
        insert.bindText(1, row.field);
        insert.bindText(2, row.name);
        insert.bindText(3, row.type);
        insert.run();
    }
}

void writeItems(SqliteDatabase& db, const std::vector<SampleProject>& projects, int count,
                int users, SampleRandom& random) {
    if (count == 0)
        return;
    ItemGenerator generator(projects, users, random);
    SqliteStatement insert(db, itemsInsert());
    for (int i = 0; i < count; ++i) {
        const ItemGenerator::Row& row = generator.next();
        for (std::size_t c = 0; c < row.size(); ++c)
            bind(insert, static_cast<int>(c) + 1, row[c]);
        insert.run();
    }
}

} // namespace

void writeSampleTracker(const std::string& path, const SampleOptions& options) {
    checkOptions(options);
    ReplacingFile file(path);
    SampleRandom random(options.seed);
    const std::vector<SampleProject> projects = planProjects(options.projects, random);
    try {
        SqliteDatabase db(file.buildPath(), SqliteDatabase::Mode::Create);
        db.exec(kSettings);
        db.exec("BEGIN");
        db.exec(kTables);
        db.exec(itemsTable());
        writeProjects(db, projects);
        writeCustom(db);
        writeItems(db, projects, options.items, options.users, random);
        db.exec(kItemIndexes);
        db.exec("COMMIT");
        db.close();
    } catch (const ComError& error) {
        // SQLite only knows the temporary name; the caller knows the target.
        throw ComError(automation::E_FAIL,
                       "Cannot write the sample tracker \"" + path + "\": " + error.description());
    }
    file.commit();
}

} // namespace vorn::host
