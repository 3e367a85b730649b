#include "news/dev_news.h"

#include <system_error>
#include <thread>

#include "base/errors.h"
#include "base/file_system.h"
#include "base/text_file.h"
#include "store/stored_values.h"

namespace wyn {

std::string configuredNewsQuery(const ValueStore& store) {
    const auto query = store.readValue(stored::DevNewsQuery);
    return query.empty() ? std::string(kDefaultNewsQuery) : query;
}

std::string newsCachePath(const PlatformProfile& profile, std::string_view cacheDirectory) {
    if (!cacheDirectory.empty() && cacheDirectory.back() == profile.separator()) {
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

bool DevNews::beginUpdate() {
    if (m_querying) {
        return false;
    }
    // A failed update must not cost the cached news: they come back, and the
    // caption keeps the time of the last update that worked.
    m_newsBefore = m_news;
    m_captionBefore = m_caption;
    m_tracker.run([&] {
        m_news.clear();
        m_reply.clear();
        m_querying = true;
    });
    return true;
}

void DevNews::finishUpdate(std::exception_ptr failure) {
    m_tracker.run([&] {
        if (failure) {
            m_news = std::move(m_newsBefore);
            m_caption = m_captionBefore;
        } else {
            m_news = extractNews(m_reply);
            m_caption = lastUpdatedCaption(m_now(), m_format);
        }
        m_querying = false;
    });
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void DevNews::update(const ProcessEvents& processEvents) {
    if (!beginUpdate()) {
        return;
    }
    std::exception_ptr failure;
    try {
        m_finger.setQuery(configuredNewsQuery(m_store));
        m_finger.Execute(processEvents);
    } catch (...) {
        failure = std::current_exception();
    }
    finishUpdate(failure);
}

void DevNews::startUpdate(Post post) {
    if (!beginUpdate()) {
        return;
    }
    // The thread has a client of its own and touches nothing of this object;
    // only the call it posts back does, on the owner's thread, while this
    // object lives.
    auto query = [this, alive = std::weak_ptr<int>(m_alive), post = std::move(post),
                  query = configuredNewsQuery(m_store), timeOut = m_finger.timeOut(),
                  port = m_finger.port()] {
        std::string reply;
        std::exception_ptr failure;
        try {
            TFinger finger;
            finger.setTerminal(&reply);
            finger.setTimeOut(timeOut);
            finger.setPort(port);
            finger.setQuery(query);
            finger.Execute();
        } catch (...) {
            failure = std::current_exception();
        }
        post([this, alive, reply = std::move(reply), failure] {
            if (alive.expired()) {
                return;
            }
            m_reply = reply;
            finishUpdate(failure);
        });
    };
    try {
        m_threadStart(std::move(query));
    } catch (const std::system_error& error) {
        finishUpdate(std::make_exception_ptr(
            WynError("Cannot start the news query: " + error.code().message())));
    }
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
