#pragma once

#include <chrono>

#include "base/game_starter.h"

class QProcess;

namespace wyn {

// Starts the game detached, in its directory; the program keeps no handle.
class ProcessGameStarter : public GameStarter {
public:
    bool start(const StartRequest& request) override;
};

// The request's program, arguments and working directory set on a process.
void setUpProcess(QProcess& process, const StartRequest& request);

// How a finished process ended, as a GameEnd (without its output).
GameEnd processEnd(const QProcess& process, const StartRequest& request,
                   std::chrono::milliseconds runTime);

// How a finished process ended, as each system tells it (Linux: its exit code
// or the signal that ended it; Windows: its exit code and, for a status of
// Windows, the system's words for it): process_game_starter_linux.cpp,
// process_game_starter_windows.cpp.
void recordExit(const QProcess& process, GameEnd& end);

}  // namespace wyn
