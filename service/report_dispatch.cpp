#include "service/report_dispatch.h"

#include "data/mod_report_main.h"
#include "data/status_builds.h"
#include "dialog/frm_print_harness.h"
#include "platform/automation/utf.h"
#include "platform/engine/model/report.h"
#include "platform/toolkit/files.h"
#include "reports/report_objects.h"

#include <cstdlib>

namespace vorn {

using automation::ComPtr;
using automation::toUtf8;

void copyRequestToSharedState(const clsReports::Request& request) noexcept {
    ReportState& state = modReportMain();
    if (IDispatch* fields = request.otherParameters.dispatch())
        state.gOtherParameters = ComPtr<IDispatch>(fields);
    state.gDSN = request.dsn;
    if (IDispatch* tree = request.tvwProjects.dispatch())
        state.gProjectTree = automation::Variant(tree);
    try {
        state.gDatabaseType = toUtf8(request.databaseType);
        state.gSQLStatement = toUtf8(request.sqlStatement);
        state.gAppendSQL = toUtf8(request.appendSQL);
        state.gUserName = toUtf8(request.userName);
    } catch (...) {
        // Only running out of memory can end up here; the slots not reached
        // keep their earlier values, as a failed copy does.
    }
    state.gShowPrinterDialog = request.showPrinterDialog;
}

namespace {

enum class Mode { Preview, Print };

// The first report, in position order, whose name text is the requested
// name; 0 when none is. Every report whose name is read exists afterwards.
int selectReport(const std::string& name) {
    auto& objects = reports::reportObjects();
    for (int position = 1; position <= reports::kReportCount; ++position)
        if (objects.at(position).answersTo(name))
            return position;
    return 0;
}

std::string reportsDatabasePath() {
    return toolkit::componentFolder() + "/reports.mdb";
}

void runItemReport(reports::ReportObject& report, Mode mode, bool showPrinterDialog,
                   const std::function<void()>& layout) {
    const ReportState& state = modReportMain();
    report.setConnection(state.gDSN);
    // Only a preview adds the host's appended SQL.
    report.setSqlText(mode == Mode::Preview ? state.gSQLStatement + state.gAppendSQL
                                            : state.gSQLStatement);
    layout();
    if (mode == Mode::Preview)
        report.show();
    else
        report.print(showPrinterDialog);
}

void runStatusReport(reports::ReportObject& report, Mode mode, bool showPrinterDialog,
                     void (*build)()) {
    report.setDatabasePath(reportsDatabasePath());
    if (mode == Mode::Preview) {
        // The window opens on the rows of the last build, then shows the new ones.
        report.show();
        build();
        report.runAgain();
    } else {
        build();
        report.print(showPrinterDialog);
    }
}

void run(const clsReports::Request& request, Mode mode) {
    copyRequestToSharedState(request);
    const char* printFile = std::getenv(kPrintFileVariable);
    reports::reportObjects().setPrintFile(printFile ? printFile : "");
    if (request.showHarness != automation::VARIANT_FALSE) {
        const bool preview = mode == Mode::Preview;
        const std::int16_t listOnly = toUtf8(request.reportName) == "List Reports" ? 1 : 0;
        dialog::printHarness().ShowMe(preview, listOnly);
        return;
    }
    const int position = selectReport(toUtf8(request.reportName));
    const bool dialog = request.showPrinterDialog != automation::VARIANT_FALSE;
    auto& objects = reports::reportObjects();
    switch (position) {
    case 1: {
        auto& list = objects.itemList();
        runItemReport(list, mode, dialog, [&] { list.RunListReport(); });
        break;
    }
    case 2: {
        auto& detail = objects.itemDetail();
        runItemReport(detail, mode, dialog, [&] {
            if (mode == Mode::Print)
                detail.setOrientation(engine::Report::kPortrait);
            detail.LoadCustomCombos();
        });
        break;
    }
    case 3:
        runStatusReport(objects.projectDetail(), mode, dialog, BuildProjectStatus);
        break;
    case 4:
        runStatusReport(objects.userDetail(), mode, dialog, BuildUserStatus);
        break;
    default:
        break; // no report has that name: nothing runs, and that is no error
    }
}

} // namespace

void showReport(const clsReports::Request& request) {
    run(request, Mode::Preview);
}

void printReport(const clsReports::Request& request) {
    run(request, Mode::Print);
}

} // namespace vorn
