// Runs a call that must fail and gives the code and description it failed with.
#pragma once

#include "platform/automation/com_error.h"

#include <functional>
#include <string>

namespace vorn::rdo::test {

struct Failure {
    automation::HRESULT code = automation::S_OK;
    std::string description;
};

inline Failure failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const automation::ComError& e) {
        return {e.code(), e.description()};
    }
    return {};
}

} // namespace vorn::rdo::test
