#include "sqlite_file.h"

#include <stdexcept>

namespace vorn::test {

SqliteFile::SqliteFile(const std::filesystem::path& file) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open(file.c_str(), &raw);
    db_.reset(raw);
    if (rc != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(raw) + (": " + file.string()));
    sqlite3_exec(raw, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
}

void SqliteFile::run(const std::string& sql) const {
    char* error = nullptr;
    if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(text + ": " + sql);
    }
}

std::vector<std::vector<SqliteFile::Cell>> SqliteFile::cells(const std::string& sql) const {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_.get()) + (": " + sql));
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, sqlite3_finalize);
    std::vector<std::vector<Cell>> result;
    int step;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
        auto& row = result.emplace_back();
        for (int c = 0; c < sqlite3_column_count(raw); ++c) {
            const auto* text = sqlite3_column_text(raw, c);
            row.push_back(text ? Cell(reinterpret_cast<const char*>(text)) : std::nullopt);
        }
    }
    if (step != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errstr(step) + (": " + sql));
    return result;
}

std::vector<std::string> SqliteFile::rows(const std::string& sql) const {
    std::vector<std::string> result;
    for (const auto& row : cells(sql)) {
        std::string& line = result.emplace_back();
        for (std::size_t c = 0; c < row.size(); ++c)
            line += (c ? "|" : "") + row[c].value_or("NULL");
    }
    return result;
}

long long SqliteFile::number(const std::string& sql) const {
    return std::stoll(cells(sql).at(0).at(0).value());
}

} // namespace vorn::test
