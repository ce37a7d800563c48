// The SQL texts of the status builds, in the form the tracker's database type
// asks for: the server form for "SQL Server" exactly, the Access crosstab for
// any other type. Kept apart from the builds so that the dialect tests run the
// very texts the builds send.
#pragma once

#include <string>

namespace vorn {

std::string projectStatusQuery(const std::string& databaseType);
/// An empty `userName` counts every assignee; quotes in it are doubled.
std::string userStatusQuery(const std::string& databaseType, const std::string& userName);

} // namespace vorn
