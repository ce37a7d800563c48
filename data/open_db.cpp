#include "data/open_db.h"

#include "data/mod_report_main.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_engine.h"
#include "platform/toolkit/files.h"
#include "platform/toolkit/gui.h"
#include "platform/toolkit/message_box.h"

namespace vorn {

namespace {

constexpr const char* kMissingMessage = "reports.mdb is missing from Vorn application path.  "
                                        "Restore this file or re-install Vorn on this system.";
constexpr const char* kMessageTitle = "Vornholm";

// The component's folder uses the platform's separator; the connect string
// keeps the shape the driver has always been given.
automation::ComPtr<automation::IDispatch> openReportsDatabase(const std::string& folder) {
    const std::string database = folder + "/reports.mdb";
    const std::string connect =
        "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + database + ";DefaultDir=" + folder + ";";
    auto engine = automation::makeObject<rdo::RdoEngine>();
    auto environment = engine->environment(0);
    environment->cursorDriver = 0;
    environment->loginTimeout = 5;
    auto connection = environment->openConnection("", false, connect);
    // ProjectDetails is scratch, rebuilt on every run: each statement still
    // runs by itself, but none waits for the disk or writes a journal file.
    connection->execute("PRAGMA synchronous=OFF");
    connection->execute("PRAGMA journal_mode=MEMORY");
    automation::ComPtr<automation::IDispatch> opened(connection.get());
    // The file opens without being read, and the journal in memory leaves a
    // build killed mid-write damaged: such a file counts as one that does not
    // open, so that the spare copy replaces it.
    rdo::RowReader check = rdo::ConnectionRef(opened.get()).openResultset("PRAGMA quick_check(1)");
    const std::string verdict = check.eof() ? "" : check.value("quick_check").toString();
    check.close();
    if (verdict != "ok")
        throw automation::ComError(rdo::kDatabaseError, database + " is damaged: " + verdict);
    return opened;
}

} // namespace

bool OpenDB() {
    const std::string folder = toolkit::componentFolder();
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            modReportMain().gReportsDB = openReportsDatabase(folder);
            return true;
        } catch (const automation::ComError&) {
            if (attempt == 1)
                break;
        }
        // The first failure: restore the database from its spare copy and retry.
        toolkit::doEvents();
        const std::string spare = folder + "/vornwiz.dll";
        if (toolkit::fileExists(spare))
            toolkit::copyFile(spare, folder + "/reports.mdb");
    }
    toolkit::msgBox(kMissingMessage, toolkit::kStyleCritical, kMessageTitle);
    return false;
}

} // namespace vorn
