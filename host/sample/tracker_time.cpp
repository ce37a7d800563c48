#include "host/sample/tracker_time.h"

namespace vorn::host {

namespace {

// Day counting after Howard Hinnant's civil calendar algorithms: eras of
// 400 years that start on 1 March, so the leap day falls at the end.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

Civil civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

void putDigits(char* at, std::int64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        at[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

TrackerSeconds trackerDay(int year, unsigned month, unsigned day) {
    return daysFromCivil(year, month, day) * kSecondsPerDay;
}

TrackerTimeText::TrackerTimeText(TrackerSeconds seconds) {
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t inDay = seconds % kSecondsPerDay;
    if (inDay < 0) {
        inDay += kSecondsPerDay;
        --days;
    }
    const Civil c = civilFromDays(days);
    char* t = text_.data();
    putDigits(t, c.year, 4);
    t[4] = '-';
    putDigits(t + 5, c.month, 2);
    t[7] = '-';
    putDigits(t + 8, c.day, 2);
    t[10] = ' ';
    putDigits(t + 11, inDay / 3600, 2);
    t[13] = ':';
    putDigits(t + 14, inDay / 60 % 60, 2);
    t[16] = ':';
    putDigits(t + 17, inDay % 60, 2);
}

} // namespace vorn::host
