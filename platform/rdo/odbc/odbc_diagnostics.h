// The one checker for ODBC calls: a failed call becomes a DatabaseError whose
// description starts with the SQLSTATE and carries the driver's own message.
#pragma once

#include "platform/rdo/odbc/odbc_handle.h"

#include <cstdint>
#include <string>

namespace vorn::rdo {

/// \throws DatabaseError when `rc` is neither success nor success with info
/// (SQL_NO_DATA passes; callers that care test for it).
void checkOdbc(std::int16_t rc, const OdbcHandle& handle);

/// True for SQLSTATEs that mean the link to the server is gone.
bool isConnectionLost(const std::string& sqlState) noexcept;

} // namespace vorn::rdo
