#include "reports/report_object.h"

#include "platform/automation/ole_date.h"
#include "platform/engine/preview/preview_registry.h"
#include "platform/engine/printing/print_progress.h"
#include "platform/engine/printing/printing.h"
#include "platform/engine/render/run_report.h"
#include "reports/designs/embedded_designs.h"
#include "reports/record_sources.h"
#include "reports/report_objects.h"

namespace vorn::reports {

namespace {
constexpr const char* kRemoteDataControl = "rdoReport";
constexpr const char* kLocalDataControl = "DAODataControl1";

engine::DataControl* findDataControl(engine::Report& report, std::string_view name) {
    for (const auto& control : report.dataControls())
        if (control->name == name)
            return control.get();
    return nullptr;
}
} // namespace

ReportObject::ReportObject(std::string designName)
    : designName_(std::move(designName)), report_(designs::loadReport(designName_)),
      orientation_(report_->orientation()) {
    installRecordSources();
    installCallbacks();
}

ReportObject::~ReportObject() = default;

void ReportObject::startFromDesign() {
    report_ = designs::loadReport(designName_);
    applySettings();
    installCallbacks();
}

void ReportObject::applySettings() {
    report_->setOrientation(orientation_);
    if (auto* remote = findDataControl(*report_, kRemoteDataControl)) {
        remote->connection = connectionHandle(connection_);
        remote->sql = sqlText_;
    }
    if (auto* local = findDataControl(*report_, kLocalDataControl); local && !databasePath_.empty())
        local->databaseName = databasePath_;
}

void ReportObject::leaveShownCopy() {
    if (report_.use_count() > 1)
        startFromDesign();
}

void ReportObject::setOrientation(int orientation) {
    leaveShownCopy();
    report_->setOrientation(orientation);
    orientation_ = orientation;
}

void ReportObject::setConnection(automation::ComPtr<automation::IDispatch> connection) {
    leaveShownCopy();
    connection_ = std::move(connection);
    report_->dataControl(kRemoteDataControl).connection = connectionHandle(connection_);
}

void ReportObject::setSqlText(std::string sql) {
    leaveShownCopy();
    sqlText_ = std::move(sql);
    report_->dataControl(kRemoteDataControl).sql = sqlText_;
}

void ReportObject::setDatabasePath(std::string path) {
    leaveShownCopy();
    databasePath_ = std::move(path);
    report_->dataControl(kLocalDataControl).databaseName = databasePath_;
}

void ReportObject::installCallbacks() {
    // Bound to this copy, not to whichever one the object holds when it runs:
    // a preview may still lay out a copy the object has left.
    engine::Report& shown = *report_;
    shown.setPageFooterBeforePrint([&shown] {
        shown.control("lblDatePrinted").caption = automation::formatGeneralDate(automation::now());
    });
}

std::shared_ptr<engine::ReportDocument> ReportObject::run() {
    return engine::runReport(*report_);
}

namespace {
engine::PreviewOptions previewOptions(const engine::Report& report, const std::string& key) {
    engine::PreviewOptions options;
    options.key = key;
    options.printFile = reportObjects().printFile();
    if (report.windowIcon) {
        const std::string& bytes = report.windowIcon->bytes();
        options.icon.assign(bytes.begin(), bytes.end());
    }
    return options;
}
} // namespace

// The window shows the first page as soon as it is laid out and lays out the
// rest while it is open.
std::shared_ptr<engine::ReportDocument> ReportObject::runForPreview() {
    // The status reports read the local reports database through a connection
    // of their own, and their build rewrites it right after their window opens
    // and at every later run: a cursor left open on it would hold those builds
    // up. They are short, so they are laid out whole and held, as before.
    if (findDataControl(*report_, kLocalDataControl))
        return run();
    return engine::runReportAhead(report_);
}

void ReportObject::show() {
    engine::showPreview(runForPreview(), previewOptions(*report_, designName_));
}

void ReportObject::runAgain() {
    if (!engine::findPreview(designName_)) {
        run();
        return;
    }
    engine::showPreview(runForPreview(), previewOptions(*report_, designName_));
}

void ReportObject::print(bool showPrinterDialog) {
    // Printing paints the pages in order while the report object stays as it
    // is, so a long report need not be held whole. One watcher sees the pages
    // counted and then written, so its window shows once, not once per pass.
    engine::PrintProgress progress(engine::PrintProgressOptions::fromEnvironment(report_->caption));
    auto document =
        engine::runReportPageByPage(*report_, engine::kWholeReportPages, progress.callback());
    engine::PrintOptions options;
    options.showPrinterDialog = showPrinterDialog;
    options.printFile = reportObjects().printFile();
    options.progress = &progress;
    engine::print(*document, options);
}

} // namespace vorn::reports
