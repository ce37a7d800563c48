#include "host/sample/tracker_time.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vorn::host {
namespace {

struct TimeCase {
    int year;
    unsigned month;
    unsigned day;
    TrackerSeconds secondsIntoDay;
    const char* text;
};

void PrintTo(const TimeCase& c, std::ostream* os) {
    *os << c.text;
}

class TrackerTimeTextCases : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TrackerTimeTextCases, WritesTheTrackersDateAndTime) {
    const TimeCase& c = GetParam();
    const TrackerTimeText text(trackerDay(c.year, c.month, c.day) + c.secondsIntoDay);
    EXPECT_EQ(text.view(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Calendar, TrackerTimeTextCases,
                         ::testing::Values(TimeCase{1970, 1, 1, 0, "1970-01-01 00:00:00"},
                                           TimeCase{1999, 3, 1, 0, "1999-03-01 00:00:00"},
                                           TimeCase{1999, 12, 31, 86399, "1999-12-31 23:59:59"},
                                           TimeCase{2000, 2, 29, 13 * 3600 + 5 * 60 + 7,
                                                    "2000-02-29 13:05:07"},
                                           TimeCase{1900, 3, 1, 3600, "1900-03-01 01:00:00"},
                                           TimeCase{1969, 12, 31, 43200, "1969-12-31 12:00:00"},
                                           TimeCase{2004, 3, 1, 59, "2004-03-01 00:00:59"}));

} // namespace
} // namespace vorn::host
