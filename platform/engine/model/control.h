// A control of a report band: a label, a field (text box), a check box, a picture
// or a line. Every control carries the same property set; each kind uses its part.
// Positions and sizes are twips (1440 per inch) relative to the band's top-left.
#pragma once

#include "platform/engine/model/color.h"
#include "platform/engine/model/font_style.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorn::engine {

enum class ControlKind { Label, Field, CheckBox, Picture, Line };

enum class Alignment { Left, Center, Right };

/// What a field shows when it shows no data: the engine fills these in itself.
enum class PageValue { None, PageNumber, PageCount };

enum class SummaryFunction { None, Sum };

struct Control {
    Control(ControlKind kind, std::string name);

    ControlKind kind;
    std::string name;

    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    // A line runs from (x1, y1) to (x2, y2); the box above is not used for lines.
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;

    std::string caption;      // labels and check boxes
    std::string text;         // fields; replaced by the bound value when a record is read
    std::string dataField;    // column of the current record that fills `text`
    std::string dataSource;   // design name of the data control
    std::string outputFormat; // display pattern of the bound value
    bool canGrow = false;
    bool canShrink = false;
    bool visible = true;
    bool checked = false; // check boxes: set from the bound value when there is one

    FontStyle font;
    Alignment alignment = Alignment::Left;
    std::optional<Color> backColor; // none: transparent
    Color foreColor = Color::black();

    PageValue pageValue = PageValue::None;
    SummaryFunction summary = SummaryFunction::None;
    std::string summaryGroup; // the group header whose groups the sum restarts with

    std::string picture; // name of the report's picture this control shows

    /// The text the control prints: a label's or check box's caption, a field's text.
    const std::string& shownText() const;
};

/// The kind that a type name of `Controls.Add` makes ("DDActiveReports.Label",
/// "DDActiveReports.Field", "DDActiveReports.Checkbox"); nullopt for other names.
std::optional<ControlKind> controlKindFromTypeName(std::string_view typeName);

} // namespace vorn::engine
