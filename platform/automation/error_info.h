// The per-thread error object: what a host that calls through a function
// table reads after a failed call, with the same source and description that
// a late-bound caller finds in EXCEPINFO. One slot per thread, like every
// other state of the component.
#pragma once

#include "platform/automation/com_error.h"

namespace vorn::automation {

/// Replaces this thread's error object; null clears it. The slot takes a
/// reference of its own.
void setErrorInfo(IErrorInfo* info) noexcept;

/// Hands this thread's error object to the caller, who then owns that
/// reference, and clears the slot. S_FALSE and null when there is none.
HRESULT getErrorInfo(IErrorInfo** info) noexcept;

/// Makes `error` this thread's error object, as raised by interface `iid`.
/// Returns the error's code, for a function-table member to hand back.
HRESULT recordError(const CaughtError& error, REFIID iid) noexcept;

} // namespace vorn::automation
