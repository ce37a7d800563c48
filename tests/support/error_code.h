// What a call raised: how every suite checks that an error carries the right
// status code and a description that says what went wrong.
#pragma once

#include "platform/automation/com_error.h"

#include <gtest/gtest.h>

#include <string>

namespace vorn::test {

struct Failure {
    automation::HRESULT code = 0; // 0 when the call raised nothing
    std::string description;
};

/// Runs `body`; an error of type `Error` becomes the result, any other escapes.
template <class Error = automation::ComError, class Body> Failure failureOf(Body&& body) {
    try {
        body();
    } catch (const Error& e) {
        return {e.code(), e.description()};
    }
    return {};
}

template <class Body> automation::HRESULT codeOf(Body&& body, std::string* description = nullptr) {
    Failure failure = failureOf(body);
    if (description)
        *description = std::move(failure.description);
    return failure.code;
}

/// Expects `body` to raise `code` with a description that contains `mentions`.
template <class Error = automation::ComError, class Body>
void expectError(Body&& body, automation::HRESULT code, const std::string& mentions) {
    const Failure failure = failureOf<Error>(body);
    EXPECT_EQ(failure.code, code) << std::hex << "expected code " << code;
    EXPECT_NE(failure.description.find(mentions), std::string::npos)
        << "\"" << failure.description << "\" does not mention \"" << mentions << "\"";
}

} // namespace vorn::test
