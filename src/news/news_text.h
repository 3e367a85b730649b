#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// The finger header: the first lines of a reply, never shown.
inline constexpr std::size_t kNewsHeaderLines = 6;
// Lines containing this text (case-sensitive) are dropped from the news.
inline constexpr std::string_view kNewsPlanMarker = "Plan:";

// The news lines of a finger reply as the terminal holds it (CR dropped, LF
// ends a line; an empty line after the last LF does not count): the lines
// after the header, without those containing "Plan:".
std::vector<std::string> extractNews(std::string_view reply);

// A local date and time, broken down.
struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

LocalDateTime localNow();

// The system's short date format and long time format. The window passes the
// locale's; tests fix them.
struct DateTimeFormat {
    std::function<std::string(const LocalDateTime&)> shortDate;
    std::function<std::string(const LocalDateTime&)> longTime;
};

inline constexpr std::string_view kLastUpdatedPrefix = "Last Updated: ";
inline constexpr std::string_view kLastUpdatedNever = "Last Updated: Never";

// "Last Updated: " + date + " " + time; the time is left out at exactly midnight.
std::string lastUpdatedCaption(const LocalDateTime& when, const DateTimeFormat& format);

}  // namespace wyn
