#include "dialog/chosen_report.h"

#include "data/lookups.h"
#include "data/mod_report_main.h"
#include "data/status_builds.h"
#include "platform/automation/late_bound.h"
#include "platform/engine/model/report.h"
#include "platform/toolkit/files.h"
#include "reports/report_objects.h"

namespace vorn::dialog {

namespace {

constexpr const char* kOrderTail = " ORDER BY ItemIndex";

automation::LateBound selectedNode() {
    const ReportState& state = modReportMain();
    return automation::LateBound(
        automation::getProperty(state.gProjectTree.dispatch(), "SelectedItem"));
}

void prepareItemReport(reports::ReportObject& report, bool all) {
    report.setConnection(modReportMain().gDSN);
    report.setSqlText(itemReportSql(selectedNode().get("Key").toString(), all));
}

std::string reportsDatabasePath() {
    return toolkit::componentFolder() + "/reports.mdb";
}

} // namespace

std::string itemReportSql(const std::string& selectedNodeKey, bool all) {
    ReportState& state = modReportMain();
    if (selectedNodeKey == "X-3")
        return all ? state.gSQLStatement + state.gAppendSQL + kOrderTail
                   : state.gSQLStatement + ") ORDER BY ItemIndex";
    if (!all)
        return state.gSQLStatement + state.gAppendSQL + kOrderTail;
    state.gAppendSQL.clear();
    return state.gSQLStatement + kOrderTail;
}

void runChosenReport(const ChooserChoice& choice, bool preview) {
    auto& objects = reports::reportObjects();
    ReportState& state = modReportMain();
    const int orientation =
        choice.portrait ? engine::Report::kPortrait : engine::Report::kLandscape;
    reports::ReportObject* report = nullptr;
    switch (choice.position) {
    case 1: {
        auto& list = objects.itemList();
        list.setOrientation(orientation);
        prepareItemReport(list, choice.all);
        list.RunListReport();
        report = &list;
        break;
    }
    case 2: {
        auto& detail = objects.itemDetail();
        detail.setOrientation(orientation);
        prepareItemReport(detail, choice.all);
        detail.LoadCustomCombos();
        // A report shown or printed before starts afresh with the new query.
        detail.runAgain();
        report = &detail;
        break;
    }
    case 3: {
        auto& project = objects.projectDetail();
        project.setOrientation(orientation);
        // The node is read even for all projects.
        state.gProjectFilter = GetProjectFromPath(selectedNode().get("FullPath").toString());
        if (choice.all)
            state.gProjectFilter.clear();
        project.setDatabasePath(reportsDatabasePath());
        BuildProjectStatus();
        report = &project;
        break;
    }
    case 4: {
        auto& user = objects.userDetail();
        user.setOrientation(orientation);
        if (choice.all)
            state.gUserName.clear();
        user.setDatabasePath(reportsDatabasePath());
        BuildUserStatus();
        report = &user;
        break;
    }
    default:
        return;
    }
    if (preview)
        report->show();
    else
        report->print(state.gShowPrinterDialog != automation::VARIANT_FALSE);
}

} // namespace vorn::dialog
