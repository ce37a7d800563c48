// The one exception type of the component: an automation status code with
// the description and source that the host will see.
#pragma once

#include "platform/automation/hresult.h"

#include <stdexcept>
#include <string>

namespace vorn::automation {

class ComError : public std::runtime_error {
public:
    /// An error with the usual description of `code`.
    explicit ComError(HRESULT code);
    ComError(HRESULT code, std::string description, std::string source = {});
    explicit ComError(BasicError error);
    ComError(BasicError error, std::string description);

    HRESULT code() const noexcept { return code_; }
    const std::string& description() const noexcept { return description_; }
    const std::string& source() const noexcept { return source_; }

private:
    HRESULT code_;
    std::string description_;
    std::string source_;
};

/// The project's name for errors raised by its own code, as hosts see it in
/// EXCEPINFO::bstrSource.
inline constexpr const char* kErrorSource = "VornReports";

/// Turns whatever is in flight into a status code with description, for the
/// boundaries where exceptions must stop. Call only from a catch block.
struct CaughtError {
    HRESULT code;
    std::string description;
    std::string source;
};
CaughtError currentError() noexcept;

} // namespace vorn::automation
