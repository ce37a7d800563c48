// One of the component's four reports as dispatch and the chooser drive it: a
// working copy of its design, and the settings given to it for a run (printer
// orientation, connection, SQL text, database path), which outlive the copy.
#pragma once

#include "platform/automation/com_ptr.h"
#include "platform/engine/model/report.h"

#include <memory>
#include <string>

namespace vorn::engine {
class ReportDocument;
}

namespace vorn::reports {

class ReportObject {
public:
    explicit ReportObject(std::string designName);
    virtual ~ReportObject();
    ReportObject(const ReportObject&) = delete;
    ReportObject& operator=(const ReportObject&) = delete;

    /// The engine-level name text ("Vorn Item List Report") and the window
    /// caption ("Item List Report"); a report answers to both.
    const std::string& nameText() const { return report_->nameText; }
    const std::string& caption() const { return report_->caption; }
    bool answersTo(const std::string& name) const {
        return name == nameText() || name == caption();
    }

    int orientation() const { return report_->orientation(); }
    /// \throws engine::EngineError for a value other than 1 (portrait) or 2 (landscape).
    void setOrientation(int orientation);
    /// Gives `rdoReport` the host's connection.
    void setConnection(automation::ComPtr<automation::IDispatch> connection);
    /// Sets the SQL text of `rdoReport`.
    void setSqlText(std::string sql);
    /// Sets the database path of `DAODataControl1`.
    void setDatabasePath(std::string path);

    /// Shows the report in its preview window; returns at once.
    void show();
    /// Runs the report again from its first record; an open preview shows the result.
    void runAgain();
    /// Prints the report, after the printer dialog when asked for.
    void print(bool showPrinterDialog);
    /// Lays the report out without showing it: for saving and for tests.
    std::shared_ptr<engine::ReportDocument> run();

    engine::Report& report() { return *report_; }
    const std::string& designName() const { return designName_; }

protected:
    /// Throws away controls added by an earlier run: the working copy becomes
    /// the design again, with this object's settings applied.
    void startFromDesign();
    /// Sets the report's own callbacks on a fresh copy; the page footer's is
    /// the same in every report.
    virtual void installCallbacks();

private:
    void applySettings();
    /// Before the working copy changes: a copy that a preview still lays out
    /// is left to it, and this object goes on with a fresh one.
    void leaveShownCopy();
    /// A document of the report that the preview lays out while it is open.
    std::shared_ptr<engine::ReportDocument> runForPreview();

    std::string designName_;
    // Shared with the document of an open preview, which lays it out while
    // the window is open.
    std::shared_ptr<engine::Report> report_;
    int orientation_;
    automation::ComPtr<automation::IDispatch> connection_;
    std::string sqlText_;
    std::string databasePath_;
};

} // namespace vorn::reports
