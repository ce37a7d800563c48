// One open SQLite database file, and the checker that turns SQLite's result
// codes into DatabaseError with SQLite's own message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;

namespace vorn::rdo {

class SqliteDatabase {
public:
    enum class Mode {
        ReadOnly,
        ReadWrite,
        /// Read-write, making the file when it is missing: only for writers
        /// of new databases (the sample tracker); the component never creates.
        Create,
    };

    /// Opens a file that must exist already unless `mode` is Create: a wrong
    /// path is an error, never a new empty database. The handle is for one
    /// thread at a time.
    /// \throws DatabaseError
    SqliteDatabase(const std::string& path, Mode mode);

    sqlite3* handle() const noexcept { return db_.get(); }
    /// \throws DatabaseError carrying SQLite's message when `resultCode` is an error.
    void check(int resultCode) const;
    [[noreturn]] void fail(int resultCode) const;
    /// Runs statements that return nothing worth reading (pragmas).
    void exec(const std::string& sql);
    void setBusyTimeout(std::int32_t milliseconds);
    std::int64_t changes() const noexcept;
    /// Closes the file now, reporting what a silent close at destruction
    /// cannot; the object is unusable afterwards.
    /// \throws DatabaseError
    void close();
    /// True once SQLite has reported that the file itself is unusable.
    bool broken() const noexcept { return broken_; }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    std::unique_ptr<sqlite3, Closer> db_;
    std::string path_;
    mutable bool broken_ = false;
};

} // namespace vorn::rdo
