// The generator's own handle on the SQLite file it writes. Private to the
// generator: the component reads trackers through its data-access layer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;

namespace vorn::host {

class SqliteDatabase {
public:
    /// Opens the file read-write, creating it when missing, for use by one thread.
    /// \throws automation::ComError E_FAIL with SQLite's message and the path
    explicit SqliteDatabase(const std::string& path);

    /// Runs one or more statements that return no rows.
    /// \throws automation::ComError E_FAIL with SQLite's message
    void execute(const std::string& sql);

    /// Closes the file, reporting what a silent close in the destructor could not.
    /// \throws automation::ComError E_FAIL
    void close();

    sqlite3* handle() const noexcept { return db_.get(); }

    /// Throws the error of a failed call on `db`, naming what was being done.
    [[noreturn]] static void fail(sqlite3* db, int result, std::string_view doing);

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

} // namespace vorn::host
