#include "host/sample/sqlite_database.h"

#include "platform/automation/com_error.h"

#include <sqlite3.h>

namespace vorn::host {

using automation::ComError;
using automation::E_FAIL;

void SqliteDatabase::Closer::operator()(sqlite3* db) const noexcept {
    sqlite3_close_v2(db);
}

void SqliteDatabase::fail(sqlite3* db, int result, std::string_view doing) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(result);
    throw ComError(E_FAIL, std::string(doing) + ": " + message);
}

SqliteDatabase::SqliteDatabase(const std::string& path) {
    sqlite3* raw = nullptr;
    // One thread uses the handle, so SQLite's own locking would be pure cost.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    const int result = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    // A failed open still hands back a handle that carries the message.
    db_.reset(raw);
    if (result != SQLITE_OK)
        fail(raw, result, "Cannot open \"" + path + "\"");
}

void SqliteDatabase::execute(const std::string& sql) {
    const int result = sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr);
    if (result != SQLITE_OK)
        fail(db_.get(), result, "Cannot run \"" + sql + "\"");
}

void SqliteDatabase::close() {
    const int result = sqlite3_close(db_.get());
    if (result != SQLITE_OK)
        fail(db_.get(), result, "Cannot close the database");
    db_.release();
}

} // namespace vorn::host
