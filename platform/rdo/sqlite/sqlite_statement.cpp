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

bool SqliteStatement::step() {
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    db_->fail(rc);
}

} // namespace vorn::rdo
