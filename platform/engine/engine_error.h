// The exception type of the report engine: a status code in the automation
// style (so the component's boundary can hand it on unchanged) and a text.
#pragma once

#include "platform/automation/com_error.h"
#include "platform/automation/hresult.h"

#include <cstdint>
#include <string>

namespace vorn::engine {

/// Status codes the engine raises: the automation layer's, under the names
/// the engine's callers know them by.
namespace error_code {
inline constexpr std::int32_t kInvalidArgument = automation::E_INVALIDARG;
inline constexpr std::int32_t kFail = automation::E_FAIL;
inline constexpr std::int32_t kNotFound = automation::TYPE_E_ELEMENTNOTFOUND;
inline constexpr std::int32_t kBadIndex = automation::DISP_E_BADINDEX;
inline constexpr std::int32_t kTypeMismatch = automation::DISP_E_TYPEMISMATCH;
inline constexpr std::int32_t kUnexpected = automation::E_UNEXPECTED;
/// The user stopped the work (the system's ERROR_CANCELLED as a status code).
inline constexpr std::int32_t kCancelled = automation::hr(0x800704C7);
} // namespace error_code

/// An automation error of its own, so that the component's boundary hands the
/// engine's code and text to the host as they are.
class EngineError : public automation::ComError {
public:
    EngineError(std::int32_t code, const std::string& description)
        : automation::ComError(code, description) {}
};

} // namespace vorn::engine
