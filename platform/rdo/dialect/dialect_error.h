// The one exception type of the SQL dialect translator. It carries an
// automation status code so that the component's boundary hands it to the host
// like any other failure, and names the construct that could not be translated.
#pragma once

#include "platform/automation/com_error.h"

#include <string>

namespace vorn::rdo::dialect {

class DialectError : public automation::ComError {
public:
    /// A construct that is valid in the source dialect but has no translation.
    static DialectError unsupported(std::string construct);
    /// Text that is not well-formed SQL (an unterminated string, a missing
    /// parenthesis).
    static DialectError malformed(std::string construct);

    /// The construct named in the description, e.g. "TRANSFORM without PIVOT".
    const std::string& construct() const noexcept { return construct_; }

private:
    DialectError(automation::HRESULT code, std::string description, std::string construct);

    std::string construct_;
};

/// Status codes: a construct without translation is "not implemented", text
/// that is not SQL at all is an invalid argument.
inline constexpr automation::HRESULT kUnsupportedConstruct = automation::E_NOTIMPL;
inline constexpr automation::HRESULT kMalformedSql = automation::E_INVALIDARG;

} // namespace vorn::rdo::dialect
