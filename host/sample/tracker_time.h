// The trackers' date and time text, "YYYY-MM-DD HH:MM:SS", as SQLite's own
// date functions read it. The trackers kept local time without a zone, so the
// values here are plain seconds counted from 1970-01-01 00:00:00.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vorn::host {

using TrackerSeconds = std::int64_t;

inline constexpr TrackerSeconds kSecondsPerDay = 86400;

/// Seconds at midnight of a calendar day (proleptic Gregorian).
TrackerSeconds trackerDay(int year, unsigned month, unsigned day);

/// Holds one formatted time; the text stays valid while the object lives.
class TrackerTimeText {
public:
    explicit TrackerTimeText(TrackerSeconds seconds);
    std::string_view view() const { return {text_.data(), kLength}; }

private:
    static constexpr std::size_t kLength = 19;
    std::array<char, kLength + 1> text_{};
};

} // namespace vorn::host
