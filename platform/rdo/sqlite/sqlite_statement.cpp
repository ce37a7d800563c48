#include "platform/rdo/sqlite/sqlite_statement.h"

#include <sqlite3.h>

namespace vorn::rdo {

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* stmt) const noexcept {
    sqlite3_finalize(stmt);
}

SqliteStatement::SqliteStatement(const SqliteDatabase& db, std::string_view sql,
                                 std::string_view* rest)
    : db_(&db) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &raw, &tail);
    stmt_.reset(raw);
    db.check(rc);
    if (rest)
        *rest = tail ? sql.substr(static_cast<std::size_t>(tail - sql.data())) : std::string_view{};
}

void SqliteStatement::bindNull(int parameter) {
    db_->check(sqlite3_bind_null(stmt_.get(), parameter));
}

void SqliteStatement::bindInteger(int parameter, std::int64_t value) {
    db_->check(sqlite3_bind_int64(stmt_.get(), parameter, value));
}

void SqliteStatement::bindReal(int parameter, double value) {
    db_->check(sqlite3_bind_double(stmt_.get(), parameter, value));
}

void SqliteStatement::bindText(int parameter, std::string_view value) {
    // SQLite binds a null pointer as NULL; an empty text must stay a text.
    const char* data = value.data() ? value.data() : "";
    db_->check(sqlite3_bind_text64(stmt_.get(), parameter, data, value.size(), SQLITE_STATIC,
                                   SQLITE_UTF8));
}

void SqliteStatement::run() {
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
        sqlite3_reset(stmt_.get());
        return;
    }
    // The reset would overwrite the message, so the error is made first.
    try {
        db_->fail(rc);
    } catch (...) {
        sqlite3_reset(stmt_.get());
        throw;
    }
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    db_->fail(rc);
}

} // namespace vorn::rdo
