#include "news/news_text.h"

#include <chrono>
#include <ctime>

#include "base/system.h"
#include "base/text.h"
#include "base/text_file.h"

namespace wyn {

std::vector<std::string> extractNews(std::string_view reply) {
    // The terminal holds no CR, so splitting the lines is splitting at LF.
    const auto lines = splitLines(reply);
    std::vector<std::string> news;
    for (std::size_t i = kNewsHeaderLines; i < lines.size(); ++i) {
        if (!contains(lines[i], kNewsPlanMarker)) {
            news.push_back(lines[i]);
        }
    }
    return news;
}

LocalDateTime localNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const std::tm local = localTime(seconds);
    const auto millisecond =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>(millisecond)};
}

std::string lastUpdatedCaption(const LocalDateTime& when, const DateTimeFormat& format) {
    std::string caption(kLastUpdatedPrefix);
    caption += format.shortDate(when);
    const bool midnight =
        when.hour == 0 && when.minute == 0 && when.second == 0 && when.millisecond == 0;
    if (!midnight) {
        caption += ' ';
        caption += format.longTime(when);
    }
    return caption;
}

}  // namespace wyn
