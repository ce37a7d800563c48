#include "platform/rdo/odbc/odbc_link.h"

#include "platform/automation/utf.h"
#include "platform/rdo/database_error.h"
#include "platform/rdo/odbc/odbc_diagnostics.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

namespace vorn::rdo {
namespace {

OdbcHandle odbc3Environment() {
    OdbcHandle env(OdbcHandle::Kind::Environment, nullptr);
    checkOdbc(SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION,
                            reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              env);
    return env;
}

} // namespace

OdbcLink::OdbcLink(const std::string& connect, std::int32_t loginTimeout, bool readOnly)
    : environment_(odbc3Environment()), connection_(OdbcHandle::Kind::Connection, &environment_) {
    if (loginTimeout > 0)
        SQLSetConnectAttr(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(loginTimeout)), 0);
    if (readOnly)
        SQLSetConnectAttr(connection_.get(), SQL_ATTR_ACCESS_MODE,
                          reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    std::u16string wide = automation::toUtf16(connect);
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnectW(
        connection_.get(), nullptr, reinterpret_cast<SQLWCHAR*>(wide.data()),
        static_cast<SQLSMALLINT>(wide.size()), nullptr, 0, &outLength, SQL_DRIVER_NOPROMPT);
    checkOdbc(rc, connection_);

    SQLWCHAR name[256] = {};
    SQLSMALLINT bytes = 0;
    check(SQLGetInfoW(connection_.get(), SQL_DBMS_NAME, name, sizeof name, &bytes), connection_);
    dbmsName_ =
        automation::toUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(name),
                                               static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR)));
    // The SQLite driver reads wide SQL text as if each unit were one byte, so
    // it gets the narrow calls, which it reads as UTF-8.
    narrowText_ = dbmsName_.starts_with("SQLite");
}

std::int16_t OdbcLink::execDirect(const OdbcHandle& statement, const std::string& sql) {
    if (narrowText_) {
        std::string text = sql;
        return SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                             static_cast<SQLINTEGER>(text.size()));
    }
    std::u16string wide = automation::toUtf16(sql);
    return SQLExecDirectW(statement.get(), reinterpret_cast<SQLWCHAR*>(wide.data()),
                          static_cast<SQLINTEGER>(wide.size()));
}

void OdbcLink::check(std::int16_t rc, const OdbcHandle& handle) {
    try {
        checkOdbc(rc, handle);
    } catch (const DatabaseError& e) {
        if (isConnectionLost(e.sqlState()))
            lost_ = true;
        throw;
    }
}

} // namespace vorn::rdo
