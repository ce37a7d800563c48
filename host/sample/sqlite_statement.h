// One prepared statement of the generator, bound and run many times.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace vorn::host {

class SqliteDatabase;

class SqliteStatement {
public:
    /// \throws automation::ComError E_FAIL when SQLite rejects the text
    SqliteStatement(SqliteDatabase& db, const std::string& sql);

    // Parameters count from 1, as in SQL. Text is not copied: it must stay
    // valid until run() returns.
    void bindNull(int parameter);
    void bindInteger(int parameter, std::int64_t value);
    void bindReal(int parameter, double value);
    void bindText(int parameter, std::string_view value);

    /// Runs the statement to its end and makes it ready for the next values.
    /// \throws automation::ComError E_FAIL with SQLite's message
    void run();

private:
    void check(int result, std::string_view doing);

    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const noexcept;
    };
    SqliteDatabase& db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

} // namespace vorn::host
