#pragma once

#include "base/game_starter.h"

namespace wyn {

// Starts the game detached, in its directory; the program keeps no handle.
class ProcessGameStarter : public GameStarter {
public:
    bool start(const StartRequest& request) override;
};

}  // namespace wyn
