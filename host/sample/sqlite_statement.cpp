#include "host/sample/sqlite_statement.h"

#include "host/sample/sqlite_database.h"
#include "platform/automation/com_error.h"

#include <sqlite3.h>

namespace vorn::host {

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, const std::string& sql) : db_(db) {
    sqlite3_stmt* raw = nullptr;
    const int result = sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &raw, nullptr);
    statement_.reset(raw);
    check(result, "Cannot prepare \"" + sql + "\"");
}

void SqliteStatement::check(int result, std::string_view doing) {
    if (result != SQLITE_OK)
        SqliteDatabase::fail(db_.handle(), result, doing);
}

void SqliteStatement::bindNull(int parameter) {
    check(sqlite3_bind_null(statement_.get(), parameter), "Cannot bind a null");
}

void SqliteStatement::bindInteger(int parameter, std::int64_t value) {
    check(sqlite3_bind_int64(statement_.get(), parameter, value), "Cannot bind an integer");
}

void SqliteStatement::bindReal(int parameter, double value) {
    check(sqlite3_bind_double(statement_.get(), parameter, value), "Cannot bind a number");
}

void SqliteStatement::bindText(int parameter, std::string_view value) {
    // SQLite binds a null pointer as NULL; an empty text must stay a text.
    const char* data = value.data() ? value.data() : "";
    check(sqlite3_bind_text64(statement_.get(), parameter, data, value.size(), SQLITE_STATIC,
                              SQLITE_UTF8),
          "Cannot bind a text");
}

void SqliteStatement::run() {
    const int result = sqlite3_step(statement_.get());
    if (result == SQLITE_DONE || result == SQLITE_ROW) {
        sqlite3_reset(statement_.get());
        return;
    }
    // Reset also after a failure, so that the statement takes new values;
    // the reset would overwrite the message, so take it first.
    const std::string message = sqlite3_errmsg(db_.handle());
    sqlite3_reset(statement_.get());
    throw automation::ComError(automation::E_FAIL, "Cannot run a statement: " + message);
}

} // namespace vorn::host
