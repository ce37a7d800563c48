#include "platform/engine/model/control.h"

namespace vorn::engine {

Control::Control(ControlKind kind_, std::string name_) : kind(kind_), name(std::move(name_)) {
    // Fields fit their text by growing downwards unless a design says otherwise.
    canGrow = kind == ControlKind::Field;
}

const std::string& Control::shownText() const {
    return kind == ControlKind::Field ? text : caption;
}

std::optional<ControlKind> controlKindFromTypeName(std::string_view typeName) {
    if (typeName == "DDActiveReports.Label")
        return ControlKind::Label;
    if (typeName == "DDActiveReports.Field")
        return ControlKind::Field;
    if (typeName == "DDActiveReports.Checkbox")
        return ControlKind::CheckBox;
    return std::nullopt;
}

} // namespace vorn::engine
