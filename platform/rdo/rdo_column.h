// rdoColumn: one column of a result set. It reads the result set's current
// row each time, so one object serves every row.
#pragma once

#include "platform/automation/dispatch_object.h"
#include "platform/rdo/result_state.h"

#include <memory>
#include <span>

namespace vorn::rdo {

class RdoColumn final : public automation::DispatchObject<automation::IDispatch, RdoColumn> {
public:
    RdoColumn(std::shared_ptr<ResultState> state, std::size_t index) noexcept
        : state_(std::move(state)), index_(index) {}
    static std::span<const automation::Member<RdoColumn>> members();

    automation::Variant value() const;
    automation::Variant name() const;
    /// 1-based, as the original counted it.
    automation::Variant ordinalPosition() const;

private:
    friend class automation::DispatchObject<automation::IDispatch, RdoColumn>;
    ~RdoColumn() = default;

    std::shared_ptr<ResultState> state_;
    std::size_t index_;
};

} // namespace vorn::rdo
