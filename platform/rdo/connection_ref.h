// Any connection object the component is handed, ours or a host's, reached
// only by late-bound calls: result sets come back as RowReaders.
#pragma once

#include "platform/automation/late_bound.h"
#include "platform/rdo/row_reader.h"

#include <cstdint>
#include <string_view>

namespace vorn::rdo {

/// The cursor and lock types of OpenResultset, with the numbers callers pass.
enum class CursorType : std::int32_t { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType : std::int32_t {
    ReadOnly = 1,
    Pessimistic = 2,
    Optimistic = 3,
    OptimisticValues = 4
};

class ConnectionRef {
public:
    /// \throws automation::ComError (Basic error 424) for a null object.
    explicit ConnectionRef(automation::IDispatch* connection);

    automation::IDispatch* dispatch() const noexcept { return connection_.dispatch(); }

    /// \throws automation::ComError with the connection's own code and description.
    RowReader openResultset(std::string_view sql, CursorType cursor = CursorType::ForwardOnly,
                            LockType lock = LockType::ReadOnly);
    /// \throws automation::ComError with the connection's own code and description.
    void execute(std::string_view sql);
    /// True when the connection's 32-bit numeric property can be read, which
    /// only an open, working connection allows.
    bool isOpen() noexcept;

private:
    automation::LateBound connection_;
};

} // namespace vorn::rdo
