// The connection to the local reports database: "reports.mdb" beside the
// component, restored from its spare copy "vornwiz.dll" when it can't be opened.
#pragma once

namespace vorn {

/// Opens the local reports database into gReportsDB. On a first failure, lets
/// pending window events run, copies the spare over the database when there
/// is one and tries once more; after a second failure shows the missing-file
/// message and returns false, leaving gReportsDB as it was.
/// \throws automation::ComError when copying the spare fails.
bool OpenDB();

} // namespace vorn
