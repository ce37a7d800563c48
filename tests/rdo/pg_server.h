// The PostgreSQL server of the tests: the one ctest started for the whole run
// (its details in the file named by VORN_PG_INFO), else one started here on
// first use and stopped when the process ends.
#pragma once

#include <string>

namespace vorn::rdo::test {

class PgServer {
public:
    /// Starts a server of its own. \throws std::runtime_error when it can't.
    static PgServer start();
    /// The server shared by the run. \throws std::runtime_error when none can start.
    static PgServer& shared();
    /// Stops the shared server if this process started it.
    static void stopShared() noexcept;

    PgServer(PgServer&& other) noexcept;
    PgServer& operator=(PgServer&&) = delete;
    ~PgServer();

    /// The temporary folder that holds the server's data, socket and log.
    const std::string& folder() const noexcept { return dir_; }
    /// The psqlODBC connect string of the server's own database.
    const std::string& connect() const noexcept { return connect_; }
    /// Stops the server now (for tests of a server that goes away).
    void stop() noexcept;
    /// Once a query sleeps in pg_sleep, brings the server down as `mode` says:
    /// "fast" or "immediate" (pg_ctl's shutdown modes) or "kill" (SIGKILL to
    /// the postmaster). The folder goes with stop() or the destructor.
    void halt(const std::string& mode) const;

private:
    PgServer(std::string dir, std::string connect, bool owned)
        : dir_(std::move(dir)), connect_(std::move(connect)), owned_(owned) {}
    std::string dir_;
    std::string connect_;
    bool owned_;
};

/// True when VORN_SKIP_PG asks to leave the PostgreSQL cases out.
bool postgreSqlSkipped();

/// A data source over the SQLite ODBC driver, defined by useQuietOdbcConfig.
inline constexpr const char* kSqliteOdbcDsn = "VornSQLite";

/// Points unixODBC at a copy of the driver list with psqlODBC's
/// communication log off, and defines kSqliteOdbcDsn; call before the first ODBC call.
void useQuietOdbcConfig();

} // namespace vorn::rdo::test
