#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/system_file.h"

class QObject;
class QProcess;

namespace wyn {

// Carries a watched game's output to its log through a process of its own, so
// that nothing is lost and the game depends on neither this program nor its
// window's thread: the relay outlives this program, as the game does. The
// game writes into a pipe; the relay appends what it reads to the log and,
// once the log passes 1 MiB, renames it to NAME.1 and begins a new one
// (relay_loop.h). It ends when every writer of the pipe is gone: then the log
// holds all the game wrote.
//   Linux: a fork of the game's child, made just before its exec.
//   Windows: wynrelay.exe beside this program, started before the game.
class OutputRelay {
public:
    // The relay for the log held open as `log` at the absolute `path`; none
    // when its pipes or its process cannot be made.
    static std::unique_ptr<OutputRelay> make(SystemFile log, const std::string& path);
    ~OutputRelay();
    OutputRelay(const OutputRelay&) = delete;
    OutputRelay& operator=(const OutputRelay&) = delete;

    // Once QProcess::start() has returned: this program keeps no end of the
    // game's pipe, so the relay sees the end of the game's output.
    void childStarted();

    // Calls `done` once, through context's event loop, when the relay has
    // written everything.
    void whenDone(QObject& context, std::function<void()> done);

private:
    struct Parts;
    explicit OutputRelay(std::unique_ptr<Parts> parts);
    friend void setUpWatchedGame(QProcess& game, OutputRelay* relay);

    std::unique_ptr<Parts> m_parts;
};

// Sets a watched game's process up before its start: its standard output and
// error go into the relay, or to the null device without one. On Linux the
// game also runs in a session of its own, so a terminal's interrupt or
// hang-up that reaches this program never reaches it.
void setUpWatchedGame(QProcess& game, OutputRelay* relay);

// The relay program's body on Windows (wynrelay.exe LOG, the pipe as its
// standard input, LOG open as its standard output); its exit code.
int runOutputRelay();

}  // namespace wyn
