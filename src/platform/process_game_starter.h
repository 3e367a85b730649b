#pragma once

#include <chrono>

#include "base/game_starter.h"

class QProcess;

namespace wyn {

// Starts the game detached, in its directory; the program keeps no handle.
// run() keeps it in the foreground instead, as wynctl's launch --wait does.
class ProcessGameStarter : public GameStarter {
public:
    bool start(const StartRequest& request) override;
    // While the game runs, an interrupt from the terminal (which reaches the
    // game too) leaves this program waiting for the game's own end, and a
    // termination or hang-up sent to this program is passed on to the game.
    std::optional<GameEnd> run(const StartRequest& request) override;
};

// The request's program, arguments and working directory set on a process.
void setUpProcess(QProcess& process, const StartRequest& request);

// How a finished process ended, as a GameEnd (without its output).
GameEnd processEnd(const QProcess& process, const StartRequest& request,
                   std::chrono::milliseconds runTime);

}  // namespace wyn
