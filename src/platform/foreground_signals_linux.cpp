#include <signal.h>
#include <sys/types.h>

#include <atomic>

#include "platform/foreground_signals.h"

namespace wyn {

namespace {

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
// game among them: this program waits, as a shell does. One sent to it alone
// (kill -INT) is passed on, as a termination is.
extern "C" void waitOnInterrupt(int number, siginfo_t* info, void*) {
    if (info != nullptr && (info->si_code == SI_USER || info->si_code == SI_QUEUE)) {
        passOnSignal(number);
    }
}

void install(int number, void (*handler)(int, siginfo_t*, void*), struct sigaction& previous) {
    struct sigaction action {};
    action.sa_sigaction = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_SIGINFO;
    sigaction(number, &action, &previous);
}

}  // namespace

// The terminal's interrupt gets a handler that does nothing rather than being
// ignored: an ignored signal would stay ignored in the game, a handled one is
// reset there.
struct ForegroundSignals::Previous {
    struct sigaction interrupt {};
    struct sigaction quit {};
    struct sigaction terminate {};
    struct sigaction hangUp {};
};

ForegroundSignals::ForegroundSignals() : m_previous(std::make_unique<Previous>()) {
    g_foregroundGame.store(0);
    g_pendingSignal.store(0);
    install(SIGINT, waitOnInterrupt, m_previous->interrupt);
    install(SIGQUIT, waitOnInterrupt, m_previous->quit);
    install(SIGTERM, passOnAnySignal, m_previous->terminate);
    install(SIGHUP, passOnAnySignal, m_previous->hangUp);
}

ForegroundSignals::~ForegroundSignals() {
    sigaction(SIGINT, &m_previous->interrupt, nullptr);
    sigaction(SIGQUIT, &m_previous->quit, nullptr);
    sigaction(SIGTERM, &m_previous->terminate, nullptr);
    sigaction(SIGHUP, &m_previous->hangUp, nullptr);
    g_foregroundGame.store(0);
}

void ForegroundSignals::gameStarted(qint64 processId) {
    g_foregroundGame.store(static_cast<pid_t>(processId));
    if (const int pending = g_pendingSignal.exchange(0); pending != 0) {
        ::kill(static_cast<pid_t>(processId), pending);
    }
}

}  // namespace wyn
