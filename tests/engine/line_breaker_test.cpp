#include "platform/engine/layout/line_breaker.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace vorn::engine {
namespace {

// Every byte is one unit wide.
double bytes(std::string_view s) {
    return static_cast<double>(s.size());
}

struct BreakCase {
    const char* text;
    double width;
    std::vector<std::string> lines;
};

std::ostream& operator<<(std::ostream& out, const BreakCase& c) {
    return out << '"' << c.text << "\" in " << c.width;
}

class LineBreaker : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaker, breaksAsExpected) {
    const BreakCase& c = GetParam();
    std::vector<std::string> got;
    for (auto line : breakLines(c.text, c.width, bytes))
        got.emplace_back(line);
    EXPECT_EQ(got, c.lines) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Cases, LineBreaker,
                         ::testing::Values(BreakCase{"", 10, {}}, BreakCase{"fits", 10, {"fits"}},
                                           BreakCase{"exactly10!", 10, {"exactly10!"}},
                                           BreakCase{"one two three", 7, {"one two", "three"}},
                                           BreakCase{"one  two", 4, {"one", "two"}},
                                           BreakCase{"abcdefghij", 4, {"abcd", "efgh", "ij"}},
                                           BreakCase{"ab abcdefgh", 4, {"ab", "abcd", "efgh"}},
                                           BreakCase{"line1\nline2", 20, {"line1", "line2"}},
                                           BreakCase{"a\r\n\r\nb", 20, {"a", "", "b"}},
                                           BreakCase{"trailing   ", 20, {"trailing"}},
                                           BreakCase{"x", 0, {"x"}},
                                           BreakCase{"\xc3\xa9\xc3\xa9\xc3\xa9",
                                                     3,
                                                     {"\xc3\xa9", "\xc3\xa9", "\xc3\xa9"}}));

} // namespace
} // namespace vorn::engine
