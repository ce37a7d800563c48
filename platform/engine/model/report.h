// A report: its report-level settings, its bands in printing order, its data
// controls and pictures, and the opener that turns a data control into records.
// Lengths are twips (1440 per inch).
#pragma once

#include "platform/engine/data/record_source.h"
#include "platform/engine/model/data_control.h"
#include "platform/engine/model/picture.h"
#include "platform/engine/model/section.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::engine {

struct Margins {
    double left = 1440;
    double right = 1440;
    double top = 1440;
    double bottom = 1440;
};

class Report {
public:
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;
    // US Letter, portrait.
    static constexpr double kPaperWidth = 12240;
    static constexpr double kPaperHeight = 15840;

    explicit Report(std::string designName);
    /// A deep copy: bands, controls and data controls are new; pictures are shared
    /// (they never change), callbacks are copied as they are.
    Report(const Report& other);
    Report& operator=(const Report&) = delete;

    const std::string& designName() const { return designName_; }

    std::string nameText;
    std::string caption; // the preview window's title
    double printWidth = 0;
    Margins margins;

    int orientation() const { return orientation_; }
    /// \throws EngineError (error_code::kInvalidArgument) for a value other than 1 or 2.
    void setOrientation(int orientation);
    /// Paper width and height in twips, turned for the orientation.
    double paperWidth() const;
    double paperHeight() const;

    /// Appends a band; bands print in the order they were added.
    /// \throws EngineError (error_code::kInvalidArgument) when the name is taken.
    Section& addSection(SectionKind kind, std::string name);
    /// \throws EngineError (error_code::kNotFound) when no band has that name.
    Section& section(std::string_view name);
    const Section& section(std::string_view name) const;
    Section* findSection(std::string_view name);
    const std::vector<std::unique_ptr<Section>>& sections() const { return sections_; }

    /// \throws EngineError (error_code::kInvalidArgument) when the name is taken.
    DataControl& addDataControl(DataControlKind kind, std::string name);
    /// \throws EngineError (error_code::kNotFound) when no data control has that name.
    DataControl& dataControl(std::string_view name);
    const std::vector<std::unique_ptr<DataControl>>& dataControls() const { return dataControls_; }

    /// Finds a control of any band by name. \throws EngineError (kNotFound).
    Control& control(std::string_view name);

    void setPicture(std::string name, std::shared_ptr<const Picture> picture);
    std::shared_ptr<const Picture> picture(std::string_view name) const;
    const std::map<std::string, std::shared_ptr<const Picture>, std::less<>>& pictures() const {
        return pictures_;
    }
    /// The small icon of the report's preview window.
    std::shared_ptr<const Picture> windowIcon;

    /// Opens the records of a data control; when empty, the opener set with
    /// setDefaultRecordSourceOpener is used.
    RecordSourceOpener recordSourceOpener;

    /// The `Detail_BeforePrint` and `PageFooter_BeforePrint` callbacks are the
    /// bands' beforePrint members; these reach them by the usual names.
    void setDetailBeforePrint(std::function<void()> callback);
    void setPageFooterBeforePrint(std::function<void()> callback);

private:
    std::string designName_;
    int orientation_ = kPortrait;
    std::vector<std::unique_ptr<Section>> sections_;
    std::vector<std::unique_ptr<DataControl>> dataControls_;
    std::map<std::string, std::shared_ptr<const Picture>, std::less<>> pictures_;
};

/// The opener used by reports that have none of their own (the component's glue
/// sets it once over its data-access layer).
void setDefaultRecordSourceOpener(RecordSourceOpener opener);
const RecordSourceOpener& defaultRecordSourceOpener();

} // namespace vorn::engine
