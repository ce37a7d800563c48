#include "platform/automation/ole_date.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

using namespace vorn::automation;

namespace {

// Runs the rest of the scope under the locale `name`.
struct ScopedLocale : vorn::test::ScopedEnvironment {
    explicit ScopedLocale(const char* name) { set("LC_ALL", name); }
};

} // namespace

// Day 0 is 30 December 1899; before it the whole days count back while the
// fraction of a day still runs forward.
TEST(OleDate, SerialDaysAroundDayZeroAndRoundingToTheSecond) {
    EXPECT_DOUBLE_EQ(makeDate({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(makeDate({1900, 1, 1, 0, 0, 0}), 2.0);
    EXPECT_DOUBLE_EQ(makeDate({1899, 12, 29, 6, 0, 0}), -1.25);
    const DateParts before = splitDate(-1.25);
    EXPECT_EQ((std::array{before.day, before.hour}), (std::array{29, 6}));
    // 23:59:59.6 rounds into the next day.
    const DateParts p = splitDate(36220.0 + 86399.6 / 86400.0);
    EXPECT_EQ((std::array{p.month, p.day, p.hour, p.second}), (std::array{3, 2, 0, 0}));
}

struct ParseCase {
    const char* text;
    std::optional<double> date;
};

class ParseDate : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDate, ReadsDatabaseAndPersonForms) {
    const auto& c = GetParam();
    const auto parsed = parseDate(c.text);
    ASSERT_EQ(parsed.has_value(), c.date.has_value()) << c.text;
    if (c.date) {
        EXPECT_NEAR(*parsed, *c.date, 1e-9) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseDate,
    ::testing::Values(ParseCase{"1999-03-01", 36220.0}, ParseCase{"1999-03-02 18:00:00", 36221.75},
                      ParseCase{"1999-03-02T18:00:00", 36221.75},
                      ParseCase{"1999-03-02 18:00:00.250", 36221.75},
                      ParseCase{"3/1/1999", 36220.0}, ParseCase{"3/2/1999 6:00:00 PM", 36221.75},
                      ParseCase{"3/2/1999 12:00:00 AM", 36221.0}, ParseCase{"18:00", 0.75},
                      ParseCase{"  1999-03-01  ", 36220.0}, ParseCase{"1999-02-29", std::nullopt},
                      ParseCase{"13/1/1999", std::nullopt},
                      ParseCase{"1999-03-01 25:00", std::nullopt},
                      ParseCase{"Completed", std::nullopt}, ParseCase{"", std::nullopt}));

// The C, POSIX and unknown locales all give the US form.
TEST(GeneralDate, UsFormUnderTheCPosixAndUnknownLocales) {
    for (const char* locale : {"C", "POSIX", "xx_NOWHERE.UTF-8"}) {
        ScopedLocale scoped(locale);
        EXPECT_EQ(formatGeneralDate(makeDate({1999, 3, 1, 0, 0, 0})), "3/1/1999");
        EXPECT_EQ(formatGeneralDate(makeDate({1999, 3, 2, 10, 15, 0})), "3/2/1999 10:15:00 AM");
        EXPECT_EQ(formatGeneralDate(makeDate({2026, 12, 5, 0, 0, 7})), "12/5/2026 12:00:07 AM");
        EXPECT_EQ(formatGeneralDate(makeDate({2026, 12, 5, 12, 30, 0})), "12/5/2026 12:30:00 PM");
        EXPECT_EQ(formatGeneralDate(0.75), "6:00:00 PM"); // a time of day alone
    }
}
