#include "service/report_dispatch.h"

#include "data/mod_report_main.h"
#include "platform/automation/com_error.h"
#include "platform/automation/utf.h"

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
[[noreturn]] void notYetAvailable() {
    throw automation::ComError(automation::E_NOTIMPL,
                               "Reports cannot be run by this build of VornReports yet.");
}
} // namespace

void showReport(const clsReports::Request& request) {
    copyRequestToSharedState(request);
    notYetAvailable();
}

void printReport(const clsReports::Request& request) {
    copyRequestToSharedState(request);
    notYetAvailable();
}

} // namespace vorn
