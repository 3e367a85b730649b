#include "platform/watching_game_starter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>

namespace wyn {

namespace {

// How often the output file is read while the game runs, and the size at
// which it is emptied so that a long game does not fill the disk. Bytes the
// game writes between the last read and the emptying are lost; they are a
// few bytes of a game that is running fine.
constexpr std::chrono::milliseconds kReadInterval{1000};
constexpr qint64 kEmptyAt = 1024 * 1024;

}  // namespace

class WatchingGameStarter::Watch {
public:
    explicit Watch(const StartRequest& request) : m_request(request) {}

    ~Watch() {
        // A game still running outlives its watch.
        if (m_process != nullptr && m_process->state() != QProcess::NotRunning) {
            QObject::disconnect(m_process, nullptr, nullptr, nullptr);
            m_process = nullptr;
        }
        delete m_process;
        m_output.close();
        if (!m_outputName.isEmpty()) {
            QFile::remove(m_outputName);
        }
    }

    // Starts the game with its output going to a new temporary file.
    bool start(QObject& context, const std::function<void()>& onEnd) {
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("wyn-game-XXXXXX.log")));
        file.setAutoRemove(false);
        if (!file.open()) {
            return false;
        }
        m_outputName = file.fileName();
        file.close();
        m_output.setFileName(m_outputName);
        if (!m_output.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
            return false;
        }

        m_process = new QProcess;
        setUpProcess(*m_process, m_request);
        m_process->setStandardInputFile(QProcess::nullDevice());
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        m_process->setStandardOutputFile(m_outputName, QIODevice::Append);
        QObject::connect(m_process, &QProcess::finished, &context, onEnd);
        m_started = std::chrono::steady_clock::now();
        m_process->start();
        if (!m_process->waitForStarted()) {
            return false;
        }
#ifdef Q_OS_UNIX
        // The game and this watch hold the file open; it needs no name.
        QFile::remove(m_outputName);
        m_outputName.clear();
#endif
        m_timer.setInterval(kReadInterval);
        QObject::connect(&m_timer, &QTimer::timeout, &context, [this] { readOutput(); });
        m_timer.start();
        return true;
    }

    bool isProcess(const QObject* sender) const {
        return sender == m_process;
    }

    GameEnd end() {
        m_timer.stop();
        readOutput();
        GameEnd end = processEnd(*m_process, m_request,
                                 std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - m_started));
        end.output = m_tail.bytes();
        end.outputCut = m_tail.cut();
        return end;
    }

private:
    void readOutput() {
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
        if (m_read >= kEmptyAt && m_output.size() == m_read && m_output.resize(0)) {
            m_read = 0;
        }
    }

    StartRequest m_request;
    QProcess* m_process = nullptr;
    QString m_outputName;
    QFile m_output;
    QTimer m_timer;
    qint64 m_read = 0;
    OutputTail m_tail;
    std::chrono::steady_clock::time_point m_started;
};

WatchingGameStarter::WatchingGameStarter(std::chrono::milliseconds quickEnd)
    : m_quickEnd(quickEnd) {}

WatchingGameStarter::~WatchingGameStarter() = default;

bool WatchingGameStarter::start(const StartRequest& request) {
    if (!request.watch) {
        return m_detached.start(request);
    }
    auto watch = std::make_unique<Watch>(request);
    Watch* watched = watch.get();
    if (!watch->start(m_context, [this, watched] { ended(watched); })) {
        return false;
    }
    m_watches.push_back(std::move(watch));
    return true;
}

std::optional<GameEnd> WatchingGameStarter::run(const StartRequest& request) {
    return m_detached.run(request);
}

void WatchingGameStarter::ended(Watch* watch) {
    const auto found = std::find_if(m_watches.begin(), m_watches.end(),
                                    [watch](const auto& entry) { return entry.get() == watch; });
    if (found == m_watches.end()) {
        return;
    }
    GameEnd end = watch->end();
    // The process is still sending its signal: it goes when that has returned.
    QTimer::singleShot(
        0, &m_context,
        [this, owned = std::shared_ptr<Watch>(std::move(*found)), end = std::move(end)] {
            if (m_endHandler && isReportedEnd(end, m_quickEnd)) {
                m_endHandler(end);
            }
        });
    m_watches.erase(found);
}

}  // namespace wyn
