#pragma once

#include "app/ctl_session.h"

namespace wyn {

// wynctl's launch --wait: the game runs as a child that shares wynctl's
// standard input, output and error, and wynctl waits for its end as a
// shell's wait does. An interrupt or quit from the terminal reaches the game
// too and leaves wynctl waiting for its end; a termination or hang-up sent to
// wynctl alone (a service manager stopping it) is passed on to the game.
class ForegroundGame : public ForegroundRunner {
public:
    std::optional<GameEnd> run(const StartRequest& request) override;
};

}  // namespace wyn
