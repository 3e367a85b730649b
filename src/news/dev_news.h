#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/notifier.h"
#include "base/platform_profile.h"
#include "base/value_store.h"
#include "news/finger.h"
#include "news/news_text.h"

namespace wyn {

// Without a configured query the news come from the local finger server: the
// plan of the local account "wyn". A loopback address needs no lookup and
// reaches no one else's host.
inline constexpr std::string_view kDefaultNewsQuery = "wyn@127.0.0.1";
inline constexpr std::string_view kNewsCacheFile = "devnews.dat";

// The configured query ("DevNewsQuery"), else the default.
std::string configuredNewsQuery(const ValueStore& store);

// devnews.dat in the folder the programs keep it in (WYN's state folder,
// platform/own_places.h).
std::string newsCachePath(const PlatformProfile& profile, std::string_view cacheDirectory);

// What one change of the news window changed.
struct DevNewsChange {
    bool caption = false;   // LastUpdateLabel
    bool news = false;      // TerminalMemo
    bool querying = false;  // the buttons and the news area are disabled while a query runs

    bool any() const { return caption || news || querying; }
};

// The developer news window without its widgets: the label caption, the news
// lines and whether a query runs. The window binds to it and redraws on change.
class DevNews {
public:
    DevNews(ValueStore& store, const PlatformProfile& profile, std::string cacheDirectory,
            DateTimeFormat format, std::function<LocalDateTime()> now = localNow);

    DevNews(const DevNews&) = delete;
    DevNews& operator=(const DevNews&) = delete;

    // Told after every change of caption, news or query state; a query tells
    // its start before it waits.
    [[nodiscard]] Connection onChange(std::function<void(const DevNewsChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    // The finger client, for its time-out and events.
    TFinger& finger() { return m_finger; }

    const std::string& lastUpdateCaption() const { return m_caption; }
    const std::vector<std::string>& newsLines() const { return m_news; }

    // While a query runs, the buttons and the news area are disabled.
    bool querying() const { return m_querying; }
    bool closeEnabled() const { return !m_querying; }
    bool updateEnabled() const { return !m_querying; }
    bool newsEnabled() const { return !m_querying; }

    // The window opens: the stored caption ("Last Updated: Never" when none)
    // and the cached news. A cache that cannot be read leaves the news empty
    // and throws "Cannot open file PATH" once the rest is in place.
    void open();

    // Runs the configured query and shows its news with the time of the update.
    // A failed query leaves caption and news as they were and throws its error.
    // Ignored while a query runs (a re-entrant click).
    void update(const ProcessEvents& processEvents = {});

    // The same update without waiting: the query runs on a thread of its own,
    // which hands its end to `post`. Post must run the call it is given on the
    // thread that owns this object (a window queues it to its event loop);
    // that call shows the news, or throws the query's error as update does,
    // and does nothing once this object is gone.
    // A thread that cannot be started ends the query at once with its error.
    using Post = std::function<void(std::function<void()> finish)>;
    void startUpdate(Post post);

    // How startUpdate runs its query beside the caller: a detached thread,
    // which may outlive this object. Throws std::system_error when no thread
    // can be started.
    using ThreadStart = std::function<void(std::function<void()> work)>;
    void setThreadStart(ThreadStart start) { m_threadStart = std::move(start); }

    // Saves the caption and the news; false (nothing saved) while a query runs.
    // Throws "Cannot create file PATH" when the cache cannot be written; the
    // caption is stored by then.
    bool close();

private:
    // The news go and the query state is on; false while a query runs.
    bool beginUpdate();
    // The news of the reply, or the old ones back and the failure thrown.
    void finishUpdate(std::exception_ptr failure);

    struct Snapshot {
        std::string caption;
        std::vector<std::string> news;
        bool querying;
    };
    Snapshot snapshot() const { return {m_caption, m_news, m_querying}; }
    DevNewsChange compare(const Snapshot& before) const {
        return {before.caption != m_caption, before.news != m_news, before.querying != m_querying};
    }

    ValueStore& m_store;
    PlatformProfile m_profile;
    std::string m_cacheDirectory;
    DateTimeFormat m_format;
    std::function<LocalDateTime()> m_now;

    TFinger m_finger;
    std::string m_reply;
    std::string m_caption;
    std::vector<std::string> m_news;
    bool m_querying = false;
    // What a failed update gives back.
    std::vector<std::string> m_newsBefore;
    std::string m_captionBefore;
    ThreadStart m_threadStart = [](std::function<void()> work) {
        std::thread(std::move(work)).detach();
    };
    // Lives as long as this object: a query's end that arrives later is dropped.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    ChangeTracker<DevNewsChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
