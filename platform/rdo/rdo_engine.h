// rdoEngine: the entry point. Its one environment is the default one,
// `rdoEnvironments(0)`, created with the engine and kept for its life.
#pragma once

#include "platform/automation/dispatch_object.h"
#include "platform/rdo/rdo_environment.h"

#include <span>

namespace vorn::rdo {

class RdoEngine final : public automation::DispatchObject<automation::IDispatch, RdoEngine> {
public:
    RdoEngine();
    static std::span<const automation::Member<RdoEngine>> members();

    /// \throws automation::ComError kItemNotFound for any index but 0.
    automation::ComPtr<RdoEnvironment> environment(std::int32_t index) const;

private:
    friend class automation::DispatchObject<automation::IDispatch, RdoEngine>;
    ~RdoEngine() = default;

    automation::ComPtr<RdoEnvironment> default_;
};

/// A new engine, as a late-bound caller sees it.
automation::ComPtr<automation::IDispatch> createEngine();

} // namespace vorn::rdo
