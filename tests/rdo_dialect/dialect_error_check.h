// Checks that a call fails with a DialectError carrying the given code and
// naming the construct it could not handle.
#pragma once

#include "platform/rdo/dialect/dialect_error.h"

#include <gtest/gtest.h>

#include <string>

namespace vorn::rdo::dialect::test {

template <class Call>
void expectDialectError(Call call, automation::HRESULT code, const std::string& construct) {
    try {
        call();
        ADD_FAILURE() << "no error; expected " << construct;
    } catch (const DialectError& e) {
        EXPECT_EQ(e.code(), code);
        EXPECT_EQ(e.construct(), construct);
    }
}

} // namespace vorn::rdo::dialect::test
