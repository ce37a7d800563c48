#include "platform/rdo/session_factory.h"

#include "platform/automation/ascii_case.h"
#include "platform/automation/com_error.h"
#include "platform/rdo/connect_string.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/odbc/odbc_session.h"
#include "platform/rdo/sqlite/sqlite_session.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace vorn::rdo {

bool isEmbeddedDriver(std::string_view driver) noexcept {
    static constexpr std::array<std::string_view, 3> kEmbedded = {"microsoft access driver (*.mdb)",
                                                                  "sqlite3", "sqlite"};
    const std::string name = automation::asciiLower(driver);
    return std::ranges::find(kEmbedded, name) != kEmbedded.end();
}

dialect::SourceDialect declaredDialect(std::string_view connect) noexcept {
    try {
        const auto driver = ConnectString(connect).get("DRIVER");
        if (driver && automation::asciiLower(*driver) == "microsoft access driver (*.mdb)")
            return dialect::SourceDialect::Access;
    } catch (...) {
        // A string that does not parse declares nothing.
    }
    return dialect::SourceDialect::Common;
}

std::unique_ptr<Session> openSession(std::string_view dataSourceName, std::string_view connect,
                                     const SessionSettings& settings) {
    const ConnectString parsed(connect);
    const auto driver = parsed.get("DRIVER");
    if (driver && isEmbeddedDriver(*driver)) {
        auto file = parsed.get("DBQ");
        if (!file)
            file = parsed.get("Database");
        if (!file || file->empty())
            throw automation::ComError(kBadConnectString,
                                       "The connect string names no database file (DBQ=)");
        return std::make_unique<SqliteSession>(*file, parsed, settings);
    }
    std::string odbcConnect(connect);
    if (!dataSourceName.empty() && !parsed.has("DSN") && !driver)
        odbcConnect = "DSN=" + std::string(dataSourceName) + ";" + odbcConnect;
    // psqlODBC reads a whole result into memory before the first row unless
    // told to fetch it through a cursor in slices.
    if (driver && automation::asciiLower(*driver).find("postgresql") != std::string::npos &&
        !parsed.has("UseDeclareFetch")) {
        if (!odbcConnect.empty() && odbcConnect.back() != ';')
            odbcConnect += ';';
        odbcConnect += "UseDeclareFetch=1;";
    }
    if (!driver && !parsed.has("DSN") && dataSourceName.empty())
        throw automation::ComError(kBadConnectString,
                                   "The connect string names neither a driver nor a data source");
    return std::make_unique<OdbcSession>(odbcConnect, settings);
}

} // namespace vorn::rdo
