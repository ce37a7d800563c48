// The state that the entry operations, the reports, the chooser and the status
// builds share: the copy of the host's request, the project filter the chooser
// derives, and the connection to the local reports database. One set per
// thread that uses the component; threads share nothing, so nothing is locked.
#pragma once

#include "platform/automation/com_ptr.h"
#include "platform/automation/variant.h"

#include <string>

namespace vorn {

struct ReportState {
    automation::ComPtr<automation::IDispatch> gOtherParameters; // the item list's field list
    automation::ComPtr<automation::IDispatch> gDSN;             // the host's tracker connection
    automation::Variant gProjectTree;                           // the host's project tree
    std::string gDatabaseType;
    std::string gSQLStatement;
    std::string gAppendSQL;
    std::string gUserName;
    automation::VARIANT_BOOL gShowPrinterDialog = automation::VARIANT_FALSE;
    std::string gProjectFilter;                           // empty: all projects
    automation::ComPtr<automation::IDispatch> gReportsDB; // the local reports database
};

/// This thread's shared report state, created on first use.
ReportState& modReportMain();

} // namespace vorn
