#include "platform/rdo/sqlite/sqlite_database.h"

#include "platform/rdo/database_error.h"

#include <sqlite3.h>

namespace vorn::rdo {

void SqliteDatabase::Closer::operator()(sqlite3* db) const noexcept {
    // close_v2 waits for statements still alive instead of failing.
    sqlite3_close_v2(db);
}

namespace {
int openFlags(SqliteDatabase::Mode mode) {
    switch (mode) {
    case SqliteDatabase::Mode::ReadOnly:
        return SQLITE_OPEN_READONLY;
    case SqliteDatabase::Mode::ReadWrite:
        return SQLITE_OPEN_READWRITE;
    case SqliteDatabase::Mode::Create:
        return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    }
    return SQLITE_OPEN_READONLY;
}
} // namespace

SqliteDatabase::SqliteDatabase(const std::string& path, Mode mode) : path_(path) {
    sqlite3* raw = nullptr;
    // One thread uses a handle at a time, so SQLite's own locking would be pure cost.
    const int flags = openFlags(mode) | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) {
        const std::string message = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc);
        throw DatabaseError(message + ": " + path, {}, rc);
    }
    sqlite3_extended_result_codes(raw, 1);
    // Opening is lazy: read the header now so a file that is no database (or
    // can't be read) fails here and not at the first query.
    check(sqlite3_exec(raw, "PRAGMA schema_version", nullptr, nullptr, nullptr));
}

void SqliteDatabase::check(int resultCode) const {
    if (resultCode != SQLITE_OK && resultCode != SQLITE_ROW && resultCode != SQLITE_DONE)
        fail(resultCode);
}

void SqliteDatabase::fail(int resultCode) const {
    switch (resultCode & 0xFF) {
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_CANTOPEN:
        broken_ = true;
        break;
    default:
        break;
    }
    std::string message = db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(resultCode);
    if (broken_)
        message += ": " + path_;
    throw DatabaseError(std::move(message), {}, resultCode);
}

void SqliteDatabase::exec(const std::string& sql) {
    check(sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr));
}

void SqliteDatabase::setBusyTimeout(std::int32_t milliseconds) {
    check(sqlite3_busy_timeout(db_.get(), milliseconds));
}

std::int64_t SqliteDatabase::changes() const noexcept {
    return sqlite3_changes64(db_.get());
}

void SqliteDatabase::close() {
    check(sqlite3_close(db_.get()));
    db_.release();
}

} // namespace vorn::rdo
