#include "platform/watching_game_starter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/game_log.h"
#include "platform/output_relay.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

// How long a game's end waits for its relay's: a child the game left running
// may hold the output pipe open for as long as it runs.
constexpr std::chrono::milliseconds kRelayWait{2000};

}  // namespace

class WatchingGameStarter::Watch {
public:
    Watch(const StartRequest& request, std::optional<TakenLog> log)
        : m_request(request), m_log(std::move(log)) {
        m_relayWait.setSingleShot(true);
        m_relayWait.setInterval(kRelayWait);
    }

    ~Watch() {
        // A game still running outlives its watch.
        if (m_process != nullptr && m_process->state() != QProcess::NotRunning) {
            QObject::disconnect(m_process, nullptr, nullptr, nullptr);
            m_process = nullptr;
        }
        delete m_process;
    }

    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    // Asks for the game's start, its output going to the log, or dropped
    // when there is none: the game matters more than its log. How the start
    // went arrives later: onFailure when it failed, onEnd when the game has
    // ended and its output is in the log.
    void start(QObject& context, std::function<void(GameEnd)> onEnd,
               const std::function<void()>& onFailure, const std::function<void()>& onStarted) {
        m_onEnd = std::move(onEnd);
        m_process = new QProcess;
        setUpProcess(*m_process, m_request);
        m_process->setStandardInputFile(QProcess::nullDevice());
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        sendOutput();
        QObject::connect(m_process, &QProcess::started, &context, [this, onStarted] {
            m_running = true;
            onStarted();
        });
        QObject::connect(m_process, &QProcess::finished, &context,
                         [this, &context] { processEnded(context); });
        QObject::connect(m_process, &QProcess::errorOccurred, &context,
                         [onFailure](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 onFailure();
                             }
                         });
        m_started = std::chrono::steady_clock::now();
        m_process->start();
        if (m_relay) {
            m_relay->childStarted();
        }
    }

    // The log's slot; 0 without a log.
    int slot() const { return m_log ? m_log->slot : 0; }

    const StartRequest& request() const { return m_request; }

    // The game as the window sees it once it runs; nothing before.
    std::optional<WatchedGame> game() const {
        if (!m_running) {
            return std::nullopt;
        }
        return WatchedGame{m_request, m_log ? m_log->path : std::string()};
    }

private:
    void sendOutput() {
        if (m_log) {
            m_relay = OutputRelay::make(std::move(m_log->file), m_log->path);
            if (!m_relay) {
                m_log.reset();
            }
        }
        setUpWatchedGame(*m_process, m_relay.get());
    }

    void processEnded(QObject& context) {
        m_running = false;
        m_end = processEnd(*m_process, m_request,
                           std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - m_started));
        if (m_relay) {
            m_relay->whenDone(context, [this] { outputComplete(); });
            QObject::connect(&m_relayWait, &QTimer::timeout, &context,
                             [this] { outputComplete(); });
            m_relayWait.start();
            return;
        }
        outputComplete();
    }

    // Reads the part of the log the report shows, once.
    void outputComplete() {
        if (!m_onEnd) {
            return;
        }
        m_relayWait.stop();
        if (m_log) {
            const OutputTail tail = readLogTail(m_log->path);
            m_end.output = tail.bytes();
            m_end.outputCut = tail.cut();
            m_end.outputFile = m_log->path;
        }
        std::exchange(m_onEnd, nullptr)(std::move(m_end));
    }

    StartRequest m_request;
    std::optional<TakenLog> m_log;
    std::unique_ptr<OutputRelay> m_relay;
    QTimer m_relayWait;
    QProcess* m_process = nullptr;
    std::function<void(GameEnd)> m_onEnd;
    GameEnd m_end;
    std::chrono::steady_clock::time_point m_started;
    bool m_running = false;
};

WatchingGameStarter::WatchingGameStarter(std::string log, std::chrono::milliseconds quickEnd)
    // Absolute: the relay runs in the game's working directory.
    : m_log(fromSystemPath(
          QDir::toNativeSeparators(QFileInfo(toSystemPath(log)).absoluteFilePath()))),
      m_quickEnd(quickEnd) {}

WatchingGameStarter::~WatchingGameStarter() = default;

bool WatchingGameStarter::start(const StartRequest& request) {
    if (!request.watch) {
        return m_detached.start(request);
    }
    // Listed first: a start that fails at once reports through the list too.
    Watch* watch =
        m_watches.emplace_back(std::make_unique<Watch>(request, takeLog(m_log, usedSlots()))).get();
    watch->start(
        m_context, [this, watch](GameEnd end) { ended(watch, std::move(end)); },
        [this, watch] { failedToStart(watch); }, [this, watch] { started(watch); });
    return true;
}

std::vector<WatchedGame> WatchingGameStarter::runningGames() const {
    std::vector<WatchedGame> games;
    for (const auto& watch : m_watches) {
        if (auto game = watch->game()) {
            games.push_back(std::move(*game));
        }
    }
    return games;
}

void WatchingGameStarter::started(const Watch* watch) {
    if (auto game = watch->game(); game && m_watchHandler) {
        QTimer::singleShot(0, &m_context, [this, game = std::move(*game)] {
            if (m_watchHandler) {
                m_watchHandler(game);
            }
        });
    }
}

std::set<int> WatchingGameStarter::usedSlots() const {
    std::set<int> used;
    for (const auto& watch : m_watches) {
        used.insert(watch->slot());
    }
    return used;
}

void WatchingGameStarter::ended(Watch* watch, GameEnd end) {
    release(watch, [this, end = std::move(end)] {
        if (m_endHandler && isReportedEnd(end, m_quickEnd)) {
            m_endHandler(end);
        }
    });
}

void WatchingGameStarter::failedToStart(Watch* watch) {
    release(watch, [this, request = watch->request()] {
        if (m_startFailureHandler) {
            m_startFailureHandler(request);
        }
    });
}

void WatchingGameStarter::release(Watch* watch, std::function<void()> then) {
    const auto found = std::ranges::find_if(
        m_watches, [watch](const auto& entry) { return entry.get() == watch; });
    if (found == m_watches.end()) {
        return;
    }
    // The watch's process, notifier or timer is still sending its signal: the
    // watch goes when that has returned.
    QTimer::singleShot(
        0, &m_context,
        [owned = std::shared_ptr<Watch>(std::move(*found)), then = std::move(then)] { then(); });
    m_watches.erase(found);
}

}  // namespace wyn
