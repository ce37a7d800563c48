// Values as records hold them, as a field's format prints them, and as lines
// of text break.
#include "platform/engine/data/value.h"
#include "platform/engine/layout/line_breaker.h"
#include "platform/engine/layout/value_format.h"

#include <gtest/gtest.h>

namespace vorn::engine {
namespace {

TEST(LineBreaker, breaksAtSpacesAndLineEndsAndCutsWordsWiderThanALine) {
    const struct {
        const char* text;
        double width;
        std::vector<std::string> lines;
    } cases[] = {{"", 10, {}},
                 {"fits", 10, {"fits"}},
                 {"exactly10!", 10, {"exactly10!"}},
                 {"one two three", 7, {"one two", "three"}},
                 {"one  two", 4, {"one", "two"}},
                 {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
                 {"ab abcdefgh", 4, {"ab", "abcd", "efgh"}},
                 {"line1\nline2", 20, {"line1", "line2"}},
                 {"a\r\n\r\nb", 20, {"a", "", "b"}},
                 {"trailing   ", 20, {"trailing"}},
                 {"x", 0, {"x"}},
                 {"\xc3\xa9\xc3\xa9\xc3\xa9", 3, {"\xc3\xa9", "\xc3\xa9", "\xc3\xa9"}}};
    // Every byte is one unit wide.
    auto bytes = [](std::string_view s) { return static_cast<double>(s.size()); };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (auto line : breakLines(c.text, c.width, bytes))
            got.emplace_back(line);
        EXPECT_EQ(got, c.lines) << '"' << c.text << "\" in " << c.width;
    }
}

TEST(ValueFormat, printsEachKindOfValueInTheFieldsFormat) {
    const struct {
        Value value;
        const char* format;
        const char* expected;
    } cases[] = {{Value::null(), "", ""},
                 {Value::integer(-42), "", "-42"},
                 {Value::real(0.1), "", "0.1"},
                 {Value::real(2.5), "General", "2.5"},
                 {Value::text("abc"), "0%", "abc"},
                 {Value::date("05/12/2026 18:00:00"), "", "05/12/2026 18:00:00"},
                 {Value::real(0.37), "0%", "37%"},
                 {Value::integer(1), "0%", "100%"},
                 {Value::real(3.14159), "0.00", "3.14"},
                 {Value::real(3.1), "0.##", "3.1"},
                 {Value::integer(1234567), "#,##0", "1,234,567"},
                 {Value::text(" 12 "), "0", "12"},
                 {Value::integer(-5), "0", "-5"},
                 {Value::integer(7), "dd/mm", "7"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatValue(c.value, c.format), c.expected)
            << '"' << c.value.toText() << "\" as \"" << c.format << '"';
}

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
