#include "app/foreground_game.h"

#include <QProcess>

#include <atomic>
#include <chrono>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <sys/types.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

#include "platform/process_game_starter.h"

namespace wyn {

namespace {

#ifdef Q_OS_UNIX
// The game's process id for the signal handlers, and a termination that came
// before it was known.
std::atomic<pid_t> g_foregroundGame{0};
std::atomic<int> g_pendingSignal{0};

extern "C" void passOnSignal(int number) {
    if (const pid_t game = g_foregroundGame.load(); game > 0) {
        ::kill(game, number);
    } else {
        g_pendingSignal.store(number);
    }
}

extern "C" void passOnAnySignal(int number, siginfo_t*, void*) {
    passOnSignal(number);
}

// An interrupt from the terminal reaches the whole foreground group, the
// game among them: wynctl waits, as a shell does. One sent to wynctl alone
// (kill -INT) is passed on, as a termination is.
extern "C" void waitOnInterrupt(int number, siginfo_t* info, void*) {
    if (info != nullptr && (info->si_code == SI_USER || info->si_code == SI_QUEUE)) {
        passOnSignal(number);
    }
}

// Signal handling while a foreground game runs, as a shell's wait does. The
// terminal's interrupt gets a handler that does nothing rather than being ignored: an
// ignored signal would stay ignored in the game, a handled one is reset
// there.
class ForegroundSignals {
public:
    ForegroundSignals() {
        g_foregroundGame.store(0);
        g_pendingSignal.store(0);
        install(SIGINT, waitOnInterrupt, m_interrupt);
        install(SIGQUIT, waitOnInterrupt, m_quit);
        install(SIGTERM, passOnAnySignal, m_terminate);
        install(SIGHUP, passOnAnySignal, m_hangUp);
    }
    ~ForegroundSignals() {
        sigaction(SIGINT, &m_interrupt, nullptr);
        sigaction(SIGQUIT, &m_quit, nullptr);
        sigaction(SIGTERM, &m_terminate, nullptr);
        sigaction(SIGHUP, &m_hangUp, nullptr);
        g_foregroundGame.store(0);
    }
    ForegroundSignals(const ForegroundSignals&) = delete;
    ForegroundSignals& operator=(const ForegroundSignals&) = delete;

    void gameStarted(qint64 processId) {
        g_foregroundGame.store(static_cast<pid_t>(processId));
        if (const int pending = g_pendingSignal.exchange(0); pending != 0) {
            ::kill(static_cast<pid_t>(processId), pending);
        }
    }

private:
    static void install(int number, void (*handler)(int, siginfo_t*, void*),
                        struct sigaction& previous) {
        struct sigaction action {};
        action.sa_sigaction = handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART | SA_SIGINFO;
        sigaction(number, &action, &previous);
    }

    struct sigaction m_interrupt {};
    struct sigaction m_quit {};
    struct sigaction m_terminate {};
    struct sigaction m_hangUp {};
};
#elif defined(Q_OS_WIN)
// Ctrl+C and Ctrl+Break reach every program of the console, the game among
// them (it shares wynctl's console): wynctl waits for the game's end, as a
// shell does. A handler, not the ignoring SetConsoleCtrlHandler(nullptr,
// TRUE), which the game would inherit.
BOOL WINAPI waitOnBreak(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? TRUE : FALSE;
}

class ForegroundSignals {
public:
    ForegroundSignals() { ::SetConsoleCtrlHandler(waitOnBreak, TRUE); }
    ~ForegroundSignals() { ::SetConsoleCtrlHandler(waitOnBreak, FALSE); }
    ForegroundSignals(const ForegroundSignals&) = delete;
    ForegroundSignals& operator=(const ForegroundSignals&) = delete;

    void gameStarted(qint64) {}
};
#else
class ForegroundSignals {
public:
    void gameStarted(qint64) {}
};
#endif

}  // namespace

std::optional<GameEnd> ForegroundGame::run(const StartRequest& request) {
    QProcess process;
    setUpProcess(process, request);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    ForegroundSignals handling;
    const auto started = std::chrono::steady_clock::now();
    process.start();
    if (!process.waitForStarted(-1)) {
        return std::nullopt;
    }
    handling.gameStarted(process.processId());
    process.waitForFinished(-1);
    return processEnd(process, request,
                      std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - started));
}

}  // namespace wyn
