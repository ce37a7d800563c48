// The controls of one band, in the order they were designed or added; the order
// is also the painting order.
#pragma once

#include "platform/engine/model/control.h"

#include <memory>
#include <string_view>
#include <vector>

namespace vorn::engine {

class ControlCollection {
public:
    ControlCollection() = default;
    ControlCollection(const ControlCollection& other);
    ControlCollection& operator=(const ControlCollection& other);
    ControlCollection(ControlCollection&&) noexcept = default;
    ControlCollection& operator=(ControlCollection&&) noexcept = default;

    /// Adds a new, empty control of one of the three type names that run-time code
    /// uses, named after its kind and position like the designer does ("Field7").
    /// \throws EngineError (error_code::kInvalidArgument) for any other type name.
    Control& add(std::string_view typeName);
    /// Adds a control of any kind under the given name (designs use this).
    /// \throws EngineError (error_code::kInvalidArgument) when the name is taken.
    Control& add(ControlKind kind, std::string name);

    int count() const { return static_cast<int>(controls_.size()); }
    /// \throws EngineError (error_code::kBadIndex) outside [0, count()).
    Control& at(int index);
    const Control& at(int index) const;
    Control* find(std::string_view name);
    const Control* find(std::string_view name) const;
    /// \throws EngineError (error_code::kNotFound) when no control has that name.
    Control& get(std::string_view name);

    auto begin() const { return controls_.begin(); }
    auto end() const { return controls_.end(); }

private:
    std::vector<std::unique_ptr<Control>> controls_;
};

} // namespace vorn::engine
