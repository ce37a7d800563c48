// The status builds: count the tracker's items per project (and per user and
// project) in the tracker's own database, then write one row per result into
// the local table ProjectDetails, which the status reports print.
#pragma once

#include <string>

namespace vorn {

/// Replaces ProjectDetails with one row per project, limited to the top-level
/// project gProjectFilter names when it is not empty.
/// \throws automation::ComError from the query, the delete or an insert; the
/// rows inserted before stay.
void BuildProjectStatus();

/// Replaces ProjectDetails with one row per assignee and project, for
/// gUserName alone when it is not empty.
void BuildUserStatus();

} // namespace vorn
