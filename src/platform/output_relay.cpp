#include "platform/output_relay.h"

#ifdef Q_OS_UNIX

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>

#include <algorithm>
#include <cerrno>

#include "platform/game_log.h"

namespace wyn {

// The relay is a fork of this multi-threaded program, and its start runs in
// QProcess's child, which Qt 6.4 on Linux makes with vfork also when a child
// process modifier is set: it shares this program's memory and runs on a
// small stack of forkfd's. So everything below that runs there makes system
// calls only: no allocation, no locks, no Qt.

namespace {

constexpr off_t kRotateAt = 1024 * 1024;
// One read from the pipe, its usual capacity; the log passes kRotateAt by at
// most this much.
constexpr std::size_t kPieceSize = 64 * 1024;
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

// How much of a piece goes to the log before it is rotated: up to its last
// line break, or all of it, so a line that never ends cannot grow the log
// without bound.
std::size_t throughLastLineBreak(const char* bytes, std::size_t count) noexcept {
    for (std::size_t end = count; end > 0; --end) {
        if (bytes[end - 1] == '\n') {
            return end;
        }
    }
    return count;
}

// NAME becomes NAME.1 and a new NAME begins. The old log stays locked until
// the new one is, so a program looking for a free log never finds both
// unlocked. When that fails, the rest of the output is dropped: -1.
int rotate(int log, const char* path, const char* rotated) noexcept {
    int next = -1;
    if (::rename(path, rotated) == 0) {
        next = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0666);
        if (next >= 0) {
            ::flock(next, LOCK_EX);
        }
    }
    ::close(log);
    return next;
}

// Never inlined: its buffer must not be on the vfork child's small stack,
// only on the relay's own copy of it.
[[noreturn, gnu::noinline]] void relay(const char* path, const char* rotated) noexcept {
    char piece[kPieceSize];
    int log = kLog;
    struct stat status {};
    off_t size = ::fstat(log, &status) == 0 ? status.st_size : 0;
    for (;;) {
        const ssize_t got = ::read(kInput, piece, sizeof piece);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        const char* bytes = piece;
        auto count = static_cast<std::size_t>(got);
        if (log >= 0 && size + got > kRotateAt) {
            const std::size_t head = throughLastLineBreak(bytes, count);
            writeAll(log, bytes, head);
            log = rotate(log, path, rotated);
            size = 0;
            bytes += head;
            count -= head;
        }
        // Output that cannot be written is dropped, never left in the pipe,
        // where it would stop the game.
        if (log >= 0 && writeAll(log, bytes, count)) {
            size += static_cast<off_t>(count);
        }
    }
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

}  // namespace

std::optional<OutputRelay> OutputRelay::make(FileDescriptor log, const std::string& path) {
    OutputRelay relay;
    relay.m_log = std::move(log);
    int output[2];
    int done[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    relay.m_outputRead = FileDescriptor(output[0]);
    relay.m_outputWrite = FileDescriptor(output[1]);
    if (::pipe2(done, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    relay.m_doneRead = FileDescriptor(done[0]);
    relay.m_doneWrite = FileDescriptor(done[1]);
    if (!relay.m_log.valid() || !relay.m_outputRead.valid() || !relay.m_outputWrite.valid() ||
        !relay.m_doneRead.valid() || !relay.m_doneWrite.valid() || !copyPath(path, relay.m_path) ||
        !copyPath(rotatedLogPath(path), relay.m_rotated)) {
        return std::nullopt;
    }
    const long openMax = ::sysconf(_SC_OPEN_MAX);
    relay.m_closeLimit = openMax > 0 ? std::min(openMax, kCloseLoopLimit) : kCloseLoopLimit;
    return relay;
}

void OutputRelay::startInChild() const noexcept {
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
        ::dup2(m_outputWrite.get(), STDOUT_FILENO);
        ::dup2(m_outputWrite.get(), STDERR_FILENO);
    }
}

void OutputRelay::becomeRelay(const sigset_t& mask) const noexcept {
    ::dup2(m_outputRead.get(), kInput);
    ::dup2(m_log.get(), kLog);
    ::dup2(m_doneWrite.get(), kDone);
    closeOthers(m_closeLimit);
    quietSignals();
    ::sigprocmask(SIG_SETMASK, &mask, nullptr);
    relay(m_path.data(), m_rotated.data());
}

void OutputRelay::childStarted() {
    m_log.reset();
    m_outputRead.reset();
    m_outputWrite.reset();
    m_doneWrite.reset();
}

}  // namespace wyn

#endif
