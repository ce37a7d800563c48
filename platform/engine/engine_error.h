// The exception type of the report engine: a status code in the automation
// style (so the component's boundary can hand it on unchanged) and a text.
#pragma once

#include "platform/automation/com_error.h"

#include <cstdint>
#include <string>

namespace vorn::engine {

/// Status codes the engine raises; the values are the usual automation ones.
namespace error_code {
inline constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t kNotFound = static_cast<std::int32_t>(0x8002802Bu);
inline constexpr std::int32_t kBadIndex = static_cast<std::int32_t>(0x8002000Bu);
inline constexpr std::int32_t kTypeMismatch = static_cast<std::int32_t>(0x80020005u);
inline constexpr std::int32_t kUnexpected = static_cast<std::int32_t>(0x8000FFFFu);
} // namespace error_code

/// An automation error of its own, so that the component's boundary hands the
/// engine's code and text to the host as they are.
class EngineError : public automation::ComError {
public:
    EngineError(std::int32_t code, const std::string& description)
        : automation::ComError(code, description) {}
};

} // namespace vorn::engine
