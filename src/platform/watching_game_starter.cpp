#include "platform/watching_game_starter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "platform/system_path.h"

namespace wyn {

namespace {

// How often the log is read while the game runs, and how much of it is kept
// so that a long game does not fill the disk. Bytes the game writes between
// a read and the trimming are lost; they are a few bytes of a game that is
// running fine.
constexpr std::chrono::milliseconds kReadInterval{1000};
constexpr qint64 kKeptLog = 1024 * 1024;

}  // namespace

std::string gameLogPath() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative folder counts as unset, as the XDG folders are read everywhere.
    if (state.isEmpty() || QDir::isRelativePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return fromSystemPath(state + QStringLiteral("/wyn/game.log"));
}

class WatchingGameStarter::Watch {
public:
    Watch(const StartRequest& request, const std::string& log)
        : m_request(request), m_log(log), m_output(toSystemPath(log)) {}

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

    // Asks for the game's start with an empty log, or with its output
    // dropped when the log cannot be made: the game matters more than its
    // log. How the start went arrives later: onFailure when it failed, onEnd
    // when the game has ended.
    void start(QObject& context, const std::function<void()>& onEnd,
               const std::function<void()>& onFailure) {
        const QString log = m_output.fileName();
        QDir().mkpath(QFileInfo(log).absolutePath());
        if (!m_output.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered)) {
            m_log.clear();
        }
        m_process = new QProcess;
        setUpProcess(*m_process, m_request);
        m_process->setStandardInputFile(QProcess::nullDevice());
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        // Appending: the game writes at the end also after the log was trimmed.
        m_process->setStandardOutputFile(m_output.isOpen() ? log : QProcess::nullDevice(),
                                         QIODevice::Append);
#ifdef Q_OS_UNIX
        m_process->setChildProcessModifier([] { ::setsid(); });
#endif
        QObject::connect(m_process, &QProcess::finished, &context, onEnd);
        QObject::connect(m_process, &QProcess::errorOccurred, &context,
                         [onFailure](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 onFailure();
                             }
                         });
        m_timer.setInterval(kReadInterval);
        QObject::connect(&m_timer, &QTimer::timeout, &context, [this] { readOutput(); });
        m_started = std::chrono::steady_clock::now();
        m_timer.start();
        m_process->start();
    }

    GameEnd end() {
        m_timer.stop();
        readOutput();
        GameEnd end = processEnd(*m_process, m_request,
                                 std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - m_started));
        end.output = m_tail.bytes();
        end.outputCut = m_tail.cut();
        end.outputFile = m_log;
        return end;
    }

    const StartRequest& request() const {
        return m_request;
    }

private:
    void readOutput() {
        if (!m_output.isOpen()) {
            return;
        }
        const qint64 size = m_output.size();
        qint64 from = std::min(m_read, size);
        if (size - from > static_cast<qint64>(kGameOutputLimit)) {
            from = size - static_cast<qint64>(kGameOutputLimit);
            m_tail.markCut();
        }
        if (size > from && m_output.seek(from)) {
            const QByteArray bytes = m_output.read(size - from);
            m_tail.append(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
            from += bytes.size();
        }
        m_read = from;
        if (m_read > kKeptLog) {
            keepLast();
        }
    }

    // The log keeps its last kKeptLog bytes, from its start.
    void keepLast() {
        if (!m_output.seek(m_read - kKeptLog)) {
            return;
        }
        const QByteArray kept = m_output.read(kKeptLog);
        if (m_output.resize(0) && m_output.seek(0) && m_output.write(kept) == kept.size()) {
            m_read = kept.size();
        }
    }

    StartRequest m_request;
    std::string m_log;
    QProcess* m_process = nullptr;
    QFile m_output;
    QTimer m_timer;
    qint64 m_read = 0;
    OutputTail m_tail;
    std::chrono::steady_clock::time_point m_started;
};

WatchingGameStarter::WatchingGameStarter(std::string log, std::chrono::milliseconds quickEnd)
    : m_log(std::move(log)), m_quickEnd(quickEnd) {}

WatchingGameStarter::~WatchingGameStarter() = default;

bool WatchingGameStarter::start(const StartRequest& request) {
    if (!request.watch) {
        return m_detached.start(request);
    }
    // Listed first: a start that fails at once reports through the list too.
    Watch* watch = m_watches.emplace_back(std::make_unique<Watch>(request, m_log)).get();
    watch->start(
        m_context, [this, watch] { ended(watch); }, [this, watch] { failedToStart(watch); });
    return true;
}

void WatchingGameStarter::ended(Watch* watch) {
    GameEnd end = watch->end();
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
    // The process is still sending its signal: it goes when that has returned.
    QTimer::singleShot(
        0, &m_context,
        [owned = std::shared_ptr<Watch>(std::move(*found)), then = std::move(then)] { then(); });
    m_watches.erase(found);
}

}  // namespace wyn
