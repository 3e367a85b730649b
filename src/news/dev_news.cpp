#include "news/dev_news.h"

#include "base/file_system.h"
#include "base/text_file.h"
#include "store/stored_values.h"

namespace wyn {

std::string configuredNewsQuery(const ValueStore& store) {
    const auto query = store.readValue(stored::DevNewsQuery);
    return query.empty() ? std::string(kDefaultNewsQuery) : query;
}

std::string newsCachePath(const PlatformProfile& profile, std::string_view cacheDirectory) {
    if (!cacheDirectory.empty() && cacheDirectory.back() == profile.separator) {
        cacheDirectory.remove_suffix(1);
    }
    return profile.path(cacheDirectory, {kNewsCacheFile});
}

DevNews::DevNews(ValueStore& store, const PlatformProfile& profile, std::string cacheDirectory,
                 DateTimeFormat format, std::function<LocalDateTime()> now)
    : m_store(store),
      m_profile(profile),
      m_cacheDirectory(std::move(cacheDirectory)),
      m_format(std::move(format)),
      m_now(std::move(now)) {
    m_finger.setTerminal(&m_reply);
    m_caption = kLastUpdatedNever;
}

void DevNews::open() {
    m_tracker.run([&] {
        m_caption = m_store.readValue(stored::DevNewsUpdate);
        if (m_caption.empty()) {
            m_caption = kLastUpdatedNever;
        }
        m_news.clear();
        const auto cache = newsCachePath(m_profile, m_cacheDirectory);
        if (fileExists(cache)) {
            m_news = readLines(cache);
        }
    });
}

void DevNews::update(const ProcessEvents& processEvents) {
    if (m_querying) {
        return;
    }
    // A failed update must not cost the cached news: they come back, and the
    // caption keeps the time of the last update that worked.
    auto previousNews = m_news;
    const auto previousCaption = m_caption;
    m_tracker.run([&] {
        m_news.clear();
        m_reply.clear();
        m_querying = true;
    });
    try {
        m_finger.setQuery(configuredNewsQuery(m_store));
        m_finger.Execute(processEvents);
    } catch (...) {
        m_tracker.run([&] {
            m_news = std::move(previousNews);
            m_caption = previousCaption;
            m_querying = false;
        });
        throw;
    }
    m_tracker.run([&] {
        m_news = extractNews(m_reply);
        m_caption = lastUpdatedCaption(m_now(), m_format);
        m_querying = false;
    });
}

bool DevNews::close() {
    if (m_querying) {
        return false;
    }
    m_store.writeValue(stored::DevNewsUpdate, m_caption);
    writeLines(newsCachePath(m_profile, m_cacheDirectory), m_news);
    return true;
}

}  // namespace wyn
