#include "platform/engine/layout/value_format.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vorn::engine {
namespace {

struct FormatCase {
    Value value;
    const char* format;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const FormatCase& c) {
    return out << '"' << c.value.toText() << "\" as \"" << c.format << '"';
}

class ValueFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ValueFormat, printsAsExpected) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatValue(c.value, c.format), c.expected) << c.format;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueFormat,
    ::testing::Values(
        FormatCase{Value::null(), "", ""}, FormatCase{Value::integer(-42), "", "-42"},
        FormatCase{Value::real(0.1), "", "0.1"}, FormatCase{Value::real(2.5), "General", "2.5"},
        FormatCase{Value::text("abc"), "0%", "abc"},
        FormatCase{Value::date("05/12/2026 18:00:00"), "", "05/12/2026 18:00:00"},
        FormatCase{Value::real(0.37), "0%", "37%"}, FormatCase{Value::integer(1), "0%", "100%"},
        FormatCase{Value::real(3.14159), "0.00", "3.14"},
        FormatCase{Value::real(3.1), "0.##", "3.1"},
        FormatCase{Value::integer(1234567), "#,##0", "1,234,567"},
        FormatCase{Value::text(" 12 "), "0", "12"}, FormatCase{Value::integer(-5), "0", "-5"},
        FormatCase{Value::integer(7), "dd/mm", "7"}));

TEST(Value, readsNumbersFromText) {
    EXPECT_EQ(Value::text("42.5").number(), 42.5);
    EXPECT_FALSE(Value::text("42x").number().has_value());
    EXPECT_FALSE(Value::null().number().has_value());
    EXPECT_FALSE(Value::date("1/1/2000").number().has_value());
    EXPECT_EQ(Value::integer(3), Value::integer(3));
    EXPECT_FALSE(Value::integer(3) == Value::real(3));
}

} // namespace
} // namespace vorn::engine
