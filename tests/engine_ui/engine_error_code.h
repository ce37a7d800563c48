// The status code an engine call raised, 0 when it raised nothing.
#pragma once

#include "platform/engine/engine_error.h"

#include <functional>

namespace vorn::engine::testing {

inline std::int32_t codeOf(const std::function<void()>& body) {
    try {
        body();
    } catch (const EngineError& e) {
        return e.code();
    }
    return 0;
}

} // namespace vorn::engine::testing
