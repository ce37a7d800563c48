// Checks that a call fails with the status code it must carry and a
// description that says what went wrong.
#pragma once

#include "platform/automation/com_error.h"

#include <gtest/gtest.h>

#include <string>

namespace vorn::host {

template <class Call>
void expectComError(Call call, automation::HRESULT code, const std::string& mentions) {
    try {
        call();
        ADD_FAILURE() << "no error; expected code " << std::hex << code;
    } catch (const automation::ComError& error) {
        EXPECT_EQ(error.code(), code) << error.what();
        EXPECT_NE(std::string(error.what()).find(mentions), std::string::npos)
            << "\"" << error.what() << "\" does not mention \"" << mentions << "\"";
    }
}

} // namespace vorn::host
