#include "platform/engine/model/control_collection.h"

#include "platform/engine/engine_error.h"

namespace vorn::engine {

ControlCollection::ControlCollection(const ControlCollection& other) {
    controls_.reserve(other.controls_.size());
    for (const auto& control : other.controls_)
        controls_.push_back(std::make_unique<Control>(*control));
}

ControlCollection& ControlCollection::operator=(const ControlCollection& other) {
    if (this != &other) {
        ControlCollection copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Control& ControlCollection::add(std::string_view typeName) {
    auto kind = controlKindFromTypeName(typeName);
    if (!kind)
        throw EngineError(error_code::kInvalidArgument,
                          "Unknown control type: " + std::string(typeName));
    const char* stem = *kind == ControlKind::Label   ? "Label"
                       : *kind == ControlKind::Field ? "Field"
                                                     : "CheckBox";
    int number = count() + 1;
    std::string name = stem + std::to_string(number);
    while (find(name))
        name = stem + std::to_string(++number);
    return add(*kind, std::move(name));
}

Control& ControlCollection::add(ControlKind kind, std::string name) {
    if (find(name))
        throw EngineError(error_code::kInvalidArgument, "A control is already named " + name);
    controls_.push_back(std::make_unique<Control>(kind, std::move(name)));
    return *controls_.back();
}

Control& ControlCollection::at(int index) {
    return const_cast<Control&>(static_cast<const ControlCollection&>(*this).at(index));
}

const Control& ControlCollection::at(int index) const {
    if (index < 0 || index >= count())
        throw EngineError(error_code::kBadIndex,
                          "Control index out of range: " + std::to_string(index));
    return *controls_[static_cast<std::size_t>(index)];
}

Control* ControlCollection::find(std::string_view name) {
    for (auto& control : controls_)
        if (control->name == name)
            return control.get();
    return nullptr;
}

const Control* ControlCollection::find(std::string_view name) const {
    return const_cast<ControlCollection*>(this)->find(name);
}

Control& ControlCollection::get(std::string_view name) {
    if (Control* control = find(name))
        return *control;
    throw EngineError(error_code::kNotFound, "No control named " + std::string(name));
}

} // namespace vorn::engine
