// Filling clsReports the way the tracker application does, late-bound.
#pragma once

#include "platform/automation/com_ptr.h"

#include <string>

namespace vorn::host {

struct RequestOptions {
    std::string db;
    std::string databaseType;
    std::string report = "Vorn Item List Report";
    std::string sql = "SELECT * FROM Items";
    std::string appendSql;
    std::string columns;
    std::string user;
    std::string select;
    bool chooser = false;
    bool printerDialog = false;
    std::string output; // print into this PDF file instead of a printer
};

/// Sets every property of `reports` from the options, opening the tracker and
/// building the project tree and field list the host hands over.
/// \throws automation::ComError from the database or the component.
void fillRequest(automation::IDispatch* reports, const RequestOptions& options);

/// Runs GTK's main loop until every window is closed.
void waitForWindows();

/// Pages in a PDF this program's component wrote.
int countPdfPages(const std::string& path);

} // namespace vorn::host
