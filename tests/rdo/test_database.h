// A fresh, empty database on one backend for one test, removed afterwards:
// a temporary SQLite file (opened in-process or through the SQLite ODBC
// driver) or a database of its own on the test PostgreSQL server.
#pragma once

#include "pg_server.h"
#include "platform/automation/variant.h"
#include "platform/rdo/row_source.h"
#include "platform/rdo/session.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace vorn::rdo::test {

enum class Backend { Sqlite, SqliteOdbc, PostgreSql };

std::string backendName(Backend backend);
/// Names the backend in test listings.
inline void PrintTo(Backend backend, std::ostream* out) {
    *out << backendName(backend);
}

class TestDatabase {
public:
    /// \throws std::runtime_error (PostgreSQL unavailable) or the backend's error.
    explicit TestDatabase(Backend backend);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    Backend backend() const noexcept { return backend_; }
    const std::string& connect() const noexcept { return connect_; }
    /// Runs set-up SQL straight on the backend, without the dialect rewrite.
    void run(const std::string& sql);

private:
    Backend backend_;
    std::string connect_;
    vorn::test::TempFolder folder_{"vorn-rdo"};
    std::string file_;
    std::string pgDatabase_;
    std::unique_ptr<Session> setup_;
};

/// The value in column `index` of the current row of `rows`.
inline automation::Variant valueAt(RowSource& rows, std::size_t index) {
    automation::VARIANT raw{};
    rows.readValue(index, raw);
    return automation::Variant::adopt(raw);
}

} // namespace vorn::rdo::test
