// The status code a call raised (0 when it raised nothing), and optionally its
// description: how the tests check that an error carries the right code.
#pragma once

#include "platform/automation/com_error.h"

#include <functional>
#include <string>

namespace vorn::test {

inline automation::HRESULT codeOf(const std::function<void()>& body,
                                  std::string* description = nullptr) {
    try {
        body();
    } catch (const automation::ComError& e) {
        if (description)
            *description = e.description();
        return e.code();
    }
    return 0;
}

} // namespace vorn::test
