// What the host prepares for a request: its connection to the tracker, the
// project tree built from the tracker's Projects table, and the field list.
#pragma once

#include "platform/automation/com_ptr.h"

#include <string>

namespace vorn::host {

/// A SQLite file path, or an ODBC connect string when the text holds "=".
/// \throws automation::ComError with the database's reason.
automation::ComPtr<automation::IDispatch> openTracker(const std::string& db);

/// The host's project tree over the tracker's projects, with `select` (a key
/// or a full path; empty for none) as its selected node.
automation::ComPtr<automation::IDispatch> loadProjectTree(automation::IDispatch* connection,
                                                          const std::string& select);

/// The columns of the item list when none are given.
inline constexpr const char* kDefaultColumns =
    "ItemIndex:Item:700,Subject:Subject:4300,Status:Status:1300,Priority:Priority:1000,"
    "AssignedTo:Assigned To:1600,PercentComplete:Done:700";

} // namespace vorn::host
