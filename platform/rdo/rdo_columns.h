// rdoColumns: the columns of a result set, reached by name (matched without
// regard to case) or by 0-based position. Its column objects are made once and
// handed out again, so `rdoColumns("x").Value` on every row allocates nothing.
#pragma once

#include "platform/automation/dispatch_object.h"
#include "platform/rdo/rdo_column.h"
#include "platform/rdo/result_state.h"

#include <memory>
#include <span>
#include <vector>

namespace vorn::rdo {

class RdoColumns final : public automation::DispatchObject<automation::IDispatch, RdoColumns> {
public:
    explicit RdoColumns(std::shared_ptr<ResultState> state) noexcept : state_(std::move(state)) {}
    static std::span<const automation::Member<RdoColumns>> members();

    /// \throws automation::ComError kItemNotFound naming the column.
    automation::Variant item(const automation::VARIANT& nameOrIndex);
    automation::Variant count() const;

private:
    friend class automation::DispatchObject<automation::IDispatch, RdoColumns>;
    ~RdoColumns() = default;

    std::shared_ptr<ResultState> state_;
    std::vector<automation::ComPtr<RdoColumn>> columns_;
};

} // namespace vorn::rdo
