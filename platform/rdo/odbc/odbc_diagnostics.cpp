#include "platform/rdo/odbc/odbc_diagnostics.h"

#include "platform/automation/utf.h"
#include "platform/rdo/database_error.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <string_view>

namespace vorn::rdo {
namespace {

// Drivers append lines of advice and framing ("Error while executing the
// query"); the first line says what went wrong.
std::string firstLine(std::string text) {
    const std::size_t newline = text.find('\n');
    if (newline != std::string::npos)
        text.erase(newline);
    while (!text.empty() && (text.back() == ';' || text.back() == ' ' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

void checkOdbc(std::int16_t rc, const OdbcHandle& handle) {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA)
        return;
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[2048] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN diag = SQLGetDiagRecW(handle.type(), handle.get(), 1, state, &native, message,
                                          static_cast<SQLSMALLINT>(std::size(message)), &length);
    if (!SQL_SUCCEEDED(diag)) {
        const char* what = rc == SQL_INVALID_HANDLE ? "invalid handle" : "no diagnostics";
        throw DatabaseError(std::string("[SQLSTATE HY000] The ODBC call failed (") + what + ")",
                            "HY000", rc);
    }
    const auto units = [](const SQLWCHAR* text) {
        std::size_t n = 0;
        while (text[n])
            ++n;
        return std::u16string_view(reinterpret_cast<const char16_t*>(text), n);
    };
    const std::string sqlState = automation::toUtf8(units(state));
    std::string text = firstLine(automation::toUtf8(units(message)));
    throw DatabaseError("[SQLSTATE " + sqlState + "] " + text, sqlState, native);
}

bool isConnectionLost(const std::string& sqlState) noexcept {
    // Class 08 is "connection exception"; 57P01-57P03 are PostgreSQL's
    // shutdown codes; HYT01 is a connection timeout.
    return sqlState.starts_with("08") || sqlState.starts_with("57P") || sqlState == "HYT01";
}

} // namespace vorn::rdo
