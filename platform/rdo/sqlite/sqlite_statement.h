// One prepared SQLite statement, finalized when it goes.
#pragma once

#include "platform/rdo/sqlite/sqlite_database.h"

#include <cstdint>
#include <memory>
#include <string_view>

struct sqlite3_stmt;

namespace vorn::rdo {

class SqliteStatement {
public:
    /// Prepares the first statement of `sql`; `rest` receives the text after it.
    /// A text of only blanks and comments gives an empty statement.
    /// \throws DatabaseError
    SqliteStatement(const SqliteDatabase& db, std::string_view sql,
                    std::string_view* rest = nullptr);

    bool empty() const noexcept { return !stmt_; }
    sqlite3_stmt* handle() const noexcept { return stmt_.get(); }
    /// True when a row is ready, false when the statement has finished.
    /// \throws DatabaseError
    bool step();

    // Parameters count from 1, as in SQL. Text is not copied: it must stay
    // valid until the statement has run.
    void bindNull(int parameter);
    void bindInteger(int parameter, std::int64_t value);
    void bindReal(int parameter, double value);
    void bindText(int parameter, std::string_view value);
    /// Runs a statement that returns no rows to its end and makes it ready
    /// for the next values, also when it failed.
    /// \throws DatabaseError
    void run();

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* stmt) const noexcept;
    };
    const SqliteDatabase* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
};

} // namespace vorn::rdo
