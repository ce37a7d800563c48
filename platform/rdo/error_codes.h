// The status codes that data access raises. They keep the numbers that Basic
// code written against the original data objects tests for.
#pragma once

#include "platform/automation/hresult.h"

namespace vorn::rdo {

/// Error 3265: a column name or index that the result set does not have.
inline constexpr automation::HRESULT kItemNotFound = automation::hr(0x800A0CC1);
/// Error 3021: a value read while the result set has no current row.
inline constexpr automation::HRESULT kNoCurrentRow = automation::hr(0x800A0BCD);
/// Error 3420: the connection or result set has been closed, or its link broke.
inline constexpr automation::HRESULT kObjectClosed = automation::hr(0x800A0D5C);
/// Error 40002: the database refused a call; the description carries its own
/// message (and SQLSTATE for ODBC).
inline constexpr automation::HRESULT kDatabaseError = automation::hr(0x800A9C42);
/// Error 40011: a connect string that names no database this layer can open.
inline constexpr automation::HRESULT kBadConnectString = automation::hr(0x800A9C4B);

} // namespace vorn::rdo
