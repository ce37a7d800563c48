// Reads a database file straight through SQLite, independent of the wrappers
// under test; every value comes back as text, a null as nullopt.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::host {

class RawSqliteReader {
public:
    using Text = std::optional<std::string>;

    explicit RawSqliteReader(const std::filesystem::path& path) {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(raw));
    }

    std::vector<std::vector<Text>> rows(const std::string& sql) const {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_.get()) + (": " + sql));
        std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, sqlite3_finalize);
        std::vector<std::vector<Text>> result;
        while (sqlite3_step(raw) == SQLITE_ROW) {
            auto& row = result.emplace_back();
            for (int c = 0; c < sqlite3_column_count(raw); ++c) {
                const auto* text = sqlite3_column_text(raw, c);
                row.push_back(text ? Text(reinterpret_cast<const char*>(text)) : std::nullopt);
            }
        }
        return result;
    }

    std::vector<Text> column(const std::string& sql) const {
        std::vector<Text> values;
        for (auto& row : rows(sql))
            values.push_back(row.at(0));
        return values;
    }

    long long number(const std::string& sql) const { return std::stoll(*column(sql).at(0)); }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

} // namespace vorn::host
