// A band of a report: page header, group header, detail, group footer or page
// footer, with its height in twips and its controls.
#pragma once

#include "platform/engine/model/control_collection.h"

#include <functional>
#include <string>

namespace vorn::engine {

enum class SectionKind { PageHeader, GroupHeader, Detail, GroupFooter, PageFooter };

struct Section {
    Section(SectionKind kind, std::string name);

    SectionKind kind;
    std::string name;
    double height = 0;
    bool visible = true;
    /// Group headers: the column whose change from one record to the next opens a group.
    std::string groupField;
    /// Ends the page after the band is printed (the next band starts a new page).
    bool newPageAfter = false;
    /// The band grows when its controls grow; it shrinks below its height only
    /// when it may shrink.
    bool canGrow = true;
    bool canShrink = false;
    ControlCollection controls;
    /// Called before each printing of the band, after its bound fields took their
    /// values; may read and write any control's text, caption and visibility.
    std::function<void()> beforePrint;
};

} // namespace vorn::engine
