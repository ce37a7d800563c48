// A database file opened in-process with SQLite, for connect strings that name
// the Access driver or an SQLite driver.
#pragma once

#include "platform/rdo/connect_string.h"
#include "platform/rdo/session.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace vorn::rdo {

class SqliteDatabase;
class SqliteStatement;

class SqliteSession : public Session {
public:
    /// Besides the file, the connect string may tune writes for a database
    /// that is rebuilt on every run: "Synchronous=OFF;JournalMode=MEMORY" lets
    /// each statement finish without waiting for the disk.
    /// \throws DatabaseError, automation::ComError kBadConnectString
    SqliteSession(const std::string& path, const ConnectString& options,
                  const SessionSettings& settings);

    SqlTarget target() const noexcept override { return SqlTarget::SQLite; }
    std::unique_ptr<RowSource> query(const std::string& sql) override;
    std::int64_t execute(const std::string& sql) override;
    ~SqliteSession() override;
    SqliteSession(const SqliteSession&) = delete;
    SqliteSession& operator=(const SqliteSession&) = delete;

    std::int64_t executeInsert(std::string_view sql, const dialect::PlainInsert& insert) override;
    bool isAlive() noexcept override;

private:
    std::shared_ptr<SqliteDatabase> db_;
    // After db_, so that the statements are finalized before the file closes.
    std::unordered_map<std::string, std::unique_ptr<SqliteStatement>> inserts_;
};

} // namespace vorn::rdo
