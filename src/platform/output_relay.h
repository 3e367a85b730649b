#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <signal.h>

#include <climits>

#include <array>
#include <optional>
#include <string>

#include "platform/file_descriptor.h"

namespace wyn {

// Carries a watched game's output to its log through a process of its own, so
// that nothing is lost and the game depends on neither this program nor its
// window's thread. The game writes into a pipe; the relay, forked from the
// game's child just before its exec, appends what it reads to the log and,
// once the log passes 1 MiB, renames it to NAME.1 and begins a new one. It
// ends when every writer of the pipe is gone, and its end closes the done
// pipe: then the log holds all the game wrote.
class OutputRelay {
public:
    // The relay for the log open (appending, locked) as `log` at the absolute
    // `path`; none when its pipes cannot be made.
    static std::optional<OutputRelay> make(FileDescriptor log, const std::string& path);

    // In the game's child process just before its exec, after setsid: forks
    // the relay and sends the child's standard output and error into the
    // pipe. When the fork fails they stay where QProcess put them.
    void startInChild() const noexcept;

    // Once QProcess::start() has returned: this program keeps only the done
    // pipe's read end, which reads as ended when the relay is done.
    void childStarted();
    int doneDescriptor() const { return m_doneRead.get(); }

private:
    OutputRelay() = default;
    // Never inlined: only the relay's copy of the stack holds its frames.
    // mask: the signal mask to go on with.
    [[noreturn, gnu::noinline]] void becomeRelay(const sigset_t& mask) const noexcept;

    FileDescriptor m_log;
    FileDescriptor m_outputRead;
    FileDescriptor m_outputWrite;
    FileDescriptor m_doneRead;
    FileDescriptor m_doneWrite;
    // Made before the fork: the relay may not allocate.
    std::array<char, PATH_MAX> m_path{};
    std::array<char, PATH_MAX> m_rotated{};
    long m_closeLimit = 0;
};

}  // namespace wyn

#endif
