// A SQLite file read and written straight through SQLite, independent of the
// data-access layers under test: how tests set up and inspect databases.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorn::test {

class SqliteFile {
public:
    using Cell = std::optional<std::string>; // nullopt for a null

    /// Opens `file`, creating it when missing. \throws std::runtime_error
    explicit SqliteFile(const std::filesystem::path& file);

    /// Runs one or more statements. \throws std::runtime_error
    void run(const std::string& sql) const;
    /// Every row of a query, every value as text. A locked or broken file
    /// throws rather than reading as an empty table.
    std::vector<std::vector<Cell>> cells(const std::string& sql) const;
    /// The rows as text, columns joined by '|', a null as "NULL".
    std::vector<std::string> rows(const std::string& sql) const;
    /// The first value of the first row, as a number.
    long long number(const std::string& sql) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

inline void runSql(const std::filesystem::path& file, const std::string& sql) {
    SqliteFile(file).run(sql);
}

inline std::vector<std::string> queryRows(const std::filesystem::path& file,
                                          const std::string& sql) {
    return SqliteFile(file).rows(sql);
}

} // namespace vorn::test
