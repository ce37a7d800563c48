#include "platform/automation/ole_date.h"

#include "platform/automation/ascii_case.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <langinfo.h>
#include <locale.h>
#include <memory>
#include <type_traits>

namespace vorn::automation {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

constexpr long long kEpochOffset = -25569; // 1899-12-30 in days from 1970-01-01

std::string usForm(const DateParts& p, bool withDate, bool withTime) {
    std::string out;
    if (withDate)
        out = std::to_string(p.month) + "/" + std::to_string(p.day) + "/" + std::to_string(p.year);
    if (withTime) {
        if (!out.empty())
            out += ' ';
        const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
        char text[32];
        std::snprintf(text, sizeof text, "%d:%02d:%02d %s", h12, p.minute, p.second,
                      p.hour < 12 ? "AM" : "PM");
        out += text;
    }
    return out;
}

const char* userTimeLocaleName() {
    for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value)
            return value;
    }
    return "C";
}

struct LocaleDeleter {
    void operator()(locale_t l) const { freelocale(l); }
};

std::string localeForm(const DateParts& p, bool withDate, bool withTime) {
    const std::string name = userTimeLocaleName();
    if (name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0)
        return usForm(p, withDate, withTime);
    locale_t loc = newlocale(LC_TIME_MASK, name.c_str(), static_cast<locale_t>(nullptr));
    if (!loc)
        return usForm(p, withDate, withTime);
    std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleDeleter> guard(loc);
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    std::string pattern;
    if (withDate)
        pattern = nl_langinfo_l(D_FMT, loc);
    if (withTime) {
        if (!pattern.empty())
            pattern += ' ';
        pattern += nl_langinfo_l(T_FMT, loc);
    }
    char text[128];
    const std::size_t n = strftime_l(text, sizeof text, pattern.c_str(), &tm, loc);
    return std::string(text, n);
}

// A tiny cursor over the date text.
struct Reader {
    std::string_view s;
    std::size_t i = 0;
    void skipSpaces() {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
    }
    bool atEnd() {
        skipSpaces();
        return i == s.size();
    }
    std::optional<int> number(int maxDigits) {
        int value = 0, digits = 0;
        while (i < s.size() && digits < maxDigits &&
               std::isdigit(static_cast<unsigned char>(s[i]))) {
            value = value * 10 + (s[i++] - '0');
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        return value;
    }
    bool accept(char c) {
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
};

bool validDay(int y, int m, int d) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1)
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

// "h:mm[:ss[.fff]][ AM|PM]"
bool readTime(Reader& r, DateParts& p) {
    auto h = r.number(2);
    if (!h || !r.accept(':'))
        return false;
    auto mi = r.number(2);
    if (!mi)
        return false;
    int sec = 0;
    if (r.accept(':')) {
        auto s = r.number(2);
        if (!s)
            return false;
        sec = *s;
        if (r.accept('.'))
            while (r.i < r.s.size() && std::isdigit(static_cast<unsigned char>(r.s[r.i])))
                ++r.i; // fractions of a second are below a date's resolution here
    }
    r.skipSpaces();
    int hour = *h;
    if (r.i + 1 < r.s.size() && asciiUpper(r.s[r.i + 1]) == 'M') {
        const char ap = asciiUpper(r.s[r.i]);
        if (ap == 'A' || ap == 'P') {
            if (hour < 1 || hour > 12)
                return false;
            hour = hour % 12 + (ap == 'P' ? 12 : 0);
            r.i += 2;
        }
    }
    if (hour > 23 || *mi > 59 || sec > 59)
        return false;
    p.hour = hour, p.minute = *mi, p.second = sec;
    return true;
}

} // namespace

DATE makeDate(const DateParts& p) {
    const long long days =
        daysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) -
        kEpochOffset;
    const double time = (p.hour * 3600.0 + p.minute * 60.0 + p.second) / 86400.0;
    // Before day zero the fraction still counts forward from midnight.
    return days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

DateParts splitDate(DATE date) {
    double whole = std::trunc(date);
    long long seconds = std::llround(std::fabs(date - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += date < 0 ? -1 : 1;
    }
    DateParts p;
    civilFromDays(static_cast<long long>(whole) + kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

DATE now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return makeDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec});
}

std::optional<DATE> parseDate(std::string_view text) {
    Reader r{text};
    r.skipSpaces();
    DateParts p;
    const std::size_t start = r.i;
    auto first = r.number(4);
    if (!first)
        return std::nullopt;
    if (r.accept('-')) { // ISO
        auto m = r.number(2);
        if (!m || !r.accept('-'))
            return std::nullopt;
        auto d = r.number(2);
        if (!d)
            return std::nullopt;
        p.year = *first, p.month = *m, p.day = *d;
        if (!r.accept('T'))
            r.skipSpaces();
        if (!r.atEnd() && !readTime(r, p))
            return std::nullopt;
    } else if (r.accept('/')) { // US month/day/year
        auto d = r.number(2);
        if (!d || !r.accept('/'))
            return std::nullopt;
        auto y = r.number(4);
        if (!y)
            return std::nullopt;
        p.year = *y < 100 ? (*y < 30 ? 2000 + *y : 1900 + *y) : *y;
        p.month = *first, p.day = *d;
        r.skipSpaces();
        if (!r.atEnd() && !readTime(r, p))
            return std::nullopt;
    } else { // a time of day alone
        r.i = start;
        if (!readTime(r, p))
            return std::nullopt;
    }
    if (!r.atEnd() || !validDay(p.year, p.month, p.day))
        return std::nullopt;
    return makeDate(p);
}

std::string formatGeneralDate(DATE date) {
    const DateParts p = splitDate(date);
    const bool dayZero = std::trunc(date) == 0;
    const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    const bool withDate = !dayZero || midnight;
    return localeForm(p, withDate, !midnight);
}

} // namespace vorn::automation
