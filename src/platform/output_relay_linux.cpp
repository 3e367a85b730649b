#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QProcess>
#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>

#include "platform/game_log.h"
#include "platform/output_relay.h"
#include "platform/relay_loop.h"

namespace wyn {

// The relay is a fork of this multi-threaded program, and its start runs in
// QProcess's child, which Qt 6.4 on Linux makes with vfork also when a child
// process modifier is set: it shares this program's memory and runs on a
// small stack of forkfd's. So everything below that runs there makes system
// calls only: no allocation, no locks, no Qt.

namespace {

// The relay's descriptors take the standard numbers, so that one call closes
// all the others.
constexpr int kInput = 0;
constexpr int kLog = 1;
constexpr int kDone = 2;
// Where close_range is missing (Linux before 5.9), the descriptors are closed
// one by one up to this bound.
constexpr long kCloseLoopLimit = 65536;

// A plain fork by system call: glibc's fork() runs the fork handlers and takes
// malloc's locks, in memory this vfork child shares with the program.
pid_t forkProcess() noexcept {
#ifdef SYS_fork
    return static_cast<pid_t>(::syscall(SYS_fork));
#else
    return static_cast<pid_t>(::syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0));
#endif
}

// Above all QProcess's report pipe: while the relay holds its write end,
// QProcess never learns that the game started.
void closeOthers(long limit) noexcept {
#ifdef SYS_close_range
    if (::syscall(SYS_close_range, 3U, ~0U, 0U) == 0) {
        return;
    }
#endif
    for (long descriptor = 3; descriptor < limit; ++descriptor) {
        ::close(static_cast<int>(descriptor));
    }
}

// The relay ends at the pipe's end, not at a signal meant for the game's
// group, so the game's last words reach the log; a file size limit fails a
// write instead of ending it.
constexpr std::array kQuietSignals{SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGXFSZ};

sigset_t quietSignalSet() noexcept {
    sigset_t set;
    ::sigemptyset(&set);
    for (const int number : kQuietSignals) {
        ::sigaddset(&set, number);
    }
    return set;
}

// Ignores the quiet signals and runs none of the program's handlers.
void quietSignals() noexcept {
    struct sigaction ignored {};
    struct sigaction standard {};
    ::sigemptyset(&ignored.sa_mask);
    ::sigemptyset(&standard.sa_mask);
    ignored.sa_handler = SIG_IGN;
    standard.sa_handler = SIG_DFL;
    for (int number = 1; number < NSIG; ++number) {
        const bool quiet = std::ranges::find(kQuietSignals, number) != kQuietSignals.end();
        ::sigaction(number, quiet ? &ignored : &standard, nullptr);
    }
}

bool writeAll(int descriptor, const char* bytes, std::size_t count) noexcept {
    while (count > 0) {
        const ssize_t written = ::write(descriptor, bytes, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}
// NAME becomes NAME.1 and a new NAME begins. The old log stays locked until
// the new one is, so a program looking for a free log never finds both
// unlocked. When that fails, the rest of the output is dropped.
Rotation rotate(int& log, const char* path, const char* rotated) noexcept {
    int next = -1;
    if (::rename(path, rotated) == 0) {
        next = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0666);
        if (next >= 0) {
            ::flock(next, LOCK_EX);
        }
    }
    ::close(log);
    log = next;
    return next >= 0 ? Rotation::Done : Rotation::Lost;
}

// Never inlined: its buffer must not be on the vfork child's small stack,
// only on the relay's own copy of it.
[[noreturn, gnu::noinline]] void relay(const char* path, const char* rotated) noexcept {
    char piece[kPieceSize];
    int log = kLog;
    struct stat status {};
    const off_t size = ::fstat(log, &status) == 0 ? status.st_size : 0;
    relayToLog(
        piece, sizeof piece, size,
        [](char* buffer, std::size_t capacity) noexcept -> std::size_t {
            for (;;) {
                const ssize_t got = ::read(kInput, buffer, capacity);
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                return got > 0 ? static_cast<std::size_t>(got) : 0;
            }
        },
        [&log](const char* bytes, std::size_t count) noexcept {
            return writeAll(log, bytes, count);
        },
        [&log, path, rotated]() noexcept { return rotate(log, path, rotated); });
    ::_exit(0);
}

bool copyPath(const std::string& path, std::array<char, PATH_MAX>& to) {
    if (path.size() >= to.size()) {
        return false;
    }
    std::copy(path.begin(), path.end(), to.begin());
    to[path.size()] = '\0';
    return true;
}

int descriptor(const SystemFile& file) {
    return static_cast<int>(file.get());
}

// Two ends of a new pipe, both close-on-exec.
bool makePipe(SystemFile& read, SystemFile& write) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return false;
    }
    read = SystemFile(ends[0]);
    write = SystemFile(ends[1]);
    return read.valid() && write.valid();
}

}  // namespace

struct OutputRelay::Parts {
    // In the game's child process just before its exec, after setsid: forks
    // the relay and sends the child's standard output and error into the
    // pipe. When the fork fails they stay where QProcess put them.
    void startInChild() const noexcept;
    // Never inlined: only the relay's copy of the stack holds its frames.
    // mask: the signal mask to go on with.
    [[noreturn, gnu::noinline]] void becomeRelay(const sigset_t& mask) const noexcept;

    SystemFile log;
    SystemFile outputRead;
    SystemFile outputWrite;
    SystemFile doneRead;
    SystemFile doneWrite;
    // Made before the fork: the relay may not allocate.
    std::array<char, PATH_MAX> path{};
    std::array<char, PATH_MAX> rotated{};
    long closeLimit = 0;
    // The done pipe's end says that the relay has written everything.
    std::unique_ptr<QSocketNotifier> done;
};

OutputRelay::OutputRelay(std::unique_ptr<Parts> parts) : m_parts(std::move(parts)) {}

OutputRelay::~OutputRelay() = default;

std::unique_ptr<OutputRelay> OutputRelay::make(SystemFile log, const std::string& path) {
    auto parts = std::make_unique<Parts>();
    parts->log = std::move(log);
    if (!parts->log.valid() || !makePipe(parts->outputRead, parts->outputWrite) ||
        !makePipe(parts->doneRead, parts->doneWrite) || !copyPath(path, parts->path) ||
        !copyPath(rotatedLogPath(path), parts->rotated)) {
        return nullptr;
    }
    const long openMax = ::sysconf(_SC_OPEN_MAX);
    parts->closeLimit = openMax > 0 ? std::min(openMax, kCloseLoopLimit) : kCloseLoopLimit;
    return std::unique_ptr<OutputRelay>(new OutputRelay(std::move(parts)));
}

void OutputRelay::Parts::startInChild() const noexcept {
    // Blocked across the fork: the game may signal its group at once, before
    // the relay has come to ignoring the signals.
    const sigset_t quiet = quietSignalSet();
    sigset_t previous;
    ::sigprocmask(SIG_BLOCK, &quiet, &previous);
    const pid_t relayProcess = forkProcess();
    if (relayProcess == 0) {
        becomeRelay(previous);
    }
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (relayProcess > 0) {
        ::dup2(descriptor(outputWrite), STDOUT_FILENO);
        ::dup2(descriptor(outputWrite), STDERR_FILENO);
    }
}

void OutputRelay::Parts::becomeRelay(const sigset_t& mask) const noexcept {
    ::dup2(descriptor(outputRead), kInput);
    ::dup2(descriptor(log), kLog);
    ::dup2(descriptor(doneWrite), kDone);
    closeOthers(closeLimit);
    quietSignals();
    ::sigprocmask(SIG_SETMASK, &mask, nullptr);
    relay(path.data(), rotated.data());
}

void OutputRelay::childStarted() {
    m_parts->log.reset();
    m_parts->outputRead.reset();
    m_parts->outputWrite.reset();
    m_parts->doneWrite.reset();
}

void OutputRelay::whenDone(QObject& context, std::function<void()> done) {
    m_parts->done =
        std::make_unique<QSocketNotifier>(descriptor(m_parts->doneRead), QSocketNotifier::Read);
    QSocketNotifier* notifier = m_parts->done.get();
    QObject::connect(notifier, &QSocketNotifier::activated, &context,
                     [notifier, done = std::move(done)] {
                         notifier->setEnabled(false);
                         done();
                     });
}

void setUpWatchedGame(QProcess& game, OutputRelay* relay) {
    // The relay's pipe takes the place of the null device in the child.
    game.setStandardOutputFile(QProcess::nullDevice());
    const OutputRelay::Parts* parts = relay != nullptr ? relay->m_parts.get() : nullptr;
    game.setChildProcessModifier([parts] {
        ::setsid();
        if (parts != nullptr) {
            parts->startInChild();
        }
    });
}

}  // namespace wyn
