// The error a database reports, with its own code kept apart from the status
// code that crosses the automation boundary.
#pragma once

#include "platform/automation/com_error.h"

#include <string>

namespace vorn::rdo {

class DatabaseError : public automation::ComError {
public:
    /// `sqlState` is empty for embedded SQLite; `nativeCode` is the engine's own
    /// number (SQLite's extended result code, the driver's native error).
    DatabaseError(std::string description, std::string sqlState, int nativeCode);

    const std::string& sqlState() const noexcept { return sqlState_; }
    int nativeCode() const noexcept { return nativeCode_; }

private:
    std::string sqlState_;
    int nativeCode_;
};

} // namespace vorn::rdo
