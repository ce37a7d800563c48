// rdoEnvironment: opens connections with its settings. The cursor driver is
// kept for callers that set it (every result set here is a forward cursor);
// the login timeout bounds the wait for a server, or for a locked file.
#pragma once

#include "platform/automation/dispatch_object.h"

#include <span>
#include <string_view>

namespace vorn::rdo {

class RdoConnection;

class RdoEnvironment final
    : public automation::DispatchObject<automation::IDispatch, RdoEnvironment> {
public:
    RdoEnvironment() noexcept = default;
    static std::span<const automation::Member<RdoEnvironment>> members();

    /// Never prompts: `prompt` is accepted as callers pass it.
    /// \throws DatabaseError when the database can't be opened;
    /// automation::ComError kBadConnectString when the string names none.
    automation::ComPtr<RdoConnection> openConnection(std::string_view dataSourceName, bool readOnly,
                                                     std::string_view connect);

    std::int32_t cursorDriver = 0;
    std::int32_t loginTimeout = 15;

private:
    friend class automation::DispatchObject<automation::IDispatch, RdoEnvironment>;
    ~RdoEnvironment() = default;
};

} // namespace vorn::rdo
