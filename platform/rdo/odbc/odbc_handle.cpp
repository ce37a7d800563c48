#include "platform/rdo/odbc/odbc_handle.h"

#include "platform/rdo/database_error.h"

#include <sql.h>

namespace vorn::rdo {

void OdbcHandle::Freer::operator()(void* handle) const noexcept {
    if (kind == Kind::Connection)
        SQLDisconnect(handle);
    SQLFreeHandle(static_cast<SQLSMALLINT>(kind), handle);
}

OdbcHandle::OdbcHandle(Kind kind, const OdbcHandle* parent)
    : kind_(kind), handle_(nullptr, Freer{kind}) {
    SQLHANDLE raw = SQL_NULL_HANDLE;
    const SQLRETURN rc = SQLAllocHandle(static_cast<SQLSMALLINT>(kind),
                                        parent ? parent->get() : SQL_NULL_HANDLE, &raw);
    if (!SQL_SUCCEEDED(rc))
        throw DatabaseError("The ODBC driver manager could not allocate a handle", "HY001", rc);
    handle_.reset(raw);
}

} // namespace vorn::rdo
