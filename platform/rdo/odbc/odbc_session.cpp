#include "platform/rdo/odbc/odbc_session.h"

#include "platform/automation/utf.h"
#include "platform/rdo/odbc/odbc_link.h"
#include "platform/rdo/odbc/odbc_row_source.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

namespace vorn::rdo {
namespace {

SqlTarget targetOf(const std::string& dbms) {
    if (dbms == "PostgreSQL")
        return SqlTarget::PostgreSQL;
    if (dbms == "Microsoft SQL Server")
        return SqlTarget::SqlServer;
    if (dbms == "ACCESS")
        return SqlTarget::Access;
    if (dbms.starts_with("SQLite"))
        return SqlTarget::SQLite;
    // Any other product gets the statements as written; most of them are
    // plain SQL that every server reads.
    return SqlTarget::SqlServer;
}

} // namespace

OdbcSession::OdbcSession(const std::string& connect, const SessionSettings& settings)
    : link_(std::make_shared<OdbcLink>(connect, settings.loginTimeout, settings.readOnly)),
      target_(targetOf(link_->dbmsName())) {}

std::unique_ptr<RowSource> OdbcSession::query(const std::string& sql) {
    return std::make_unique<OdbcRowSource>(link_, sql);
}

std::int64_t OdbcSession::execute(const std::string& sql) {
    OdbcHandle statement(OdbcHandle::Kind::Statement, &link_->connection());
    const SQLRETURN rc = link_->execDirect(statement, sql);
    link_->check(rc, statement);
    if (rc == SQL_NO_DATA) // a searched DELETE or UPDATE that matched nothing
        return 0;
    SQLLEN rows = 0;
    if (!SQL_SUCCEEDED(SQLRowCount(statement.get(), &rows)) || rows < 0)
        rows = 0;
    return rows;
}

bool OdbcSession::isAlive() noexcept {
    if (link_->lost())
        return false;
    SQLUINTEGER dead = SQL_CD_FALSE;
    const SQLRETURN rc =
        SQLGetConnectAttr(link_->connection().get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
    return !SQL_SUCCEEDED(rc) || dead != SQL_CD_TRUE;
}

} // namespace vorn::rdo
