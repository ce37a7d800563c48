// Automation dates: days since 30 December 1899, the fraction giving the time of
// day. Before that day the whole part counts backwards while the fraction still
// runs forwards (-1.25 is 29 December 1899, 6:00).
#pragma once

#include "platform/automation/com.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorn::automation {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

/// Automation dates run from 1 January 100 to 31 December 9999.
bool isValidDate(DATE date) noexcept;

DATE makeDate(const DateParts& parts);
/// Rounded to the nearest second.
/// \throws ComError overflow (6) for a date that isn't valid (NaN included).
DateParts splitDate(DATE date);
DATE now(); // local time

/// Reads the date forms a database or a person writes: ISO ("1999-03-01",
/// "1999-03-02 10:15:00", with "T" too), US ("3/1/1999", "3/2/1999 10:15:00 AM")
/// and a time of day alone. Nothing when the text is none of these.
std::optional<DATE> parseDate(std::string_view text);

/// The "General Date" rendering: the short date of the user's locale, then the
/// time; the date alone at midnight, the time alone on day zero. Under the C or
/// POSIX locale (or one not installed), the US form: 3/1/1999 and
/// 3/2/1999 10:15:00 AM. \throws ComError overflow (6) for a date that isn't valid.
std::string formatGeneralDate(DATE date);

} // namespace vorn::automation
