#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/game_starter.h"
#include "base/prompts.h"
#include "base/value_store.h"
#include "engine/engine_folders.h"
#include "servers/server_address.h"
#include "servers/server_list.h"
#include "session/launch.h"

namespace wyn {

class SessionSettings;

// "+set game vantor +connect ADDRESS": the add-on's game, joining the server.
std::vector<std::string> joinArguments(const ServerAddress& address);

// What stops a join before anything starts: the session's program is a
// dedicated server only (q2ded, q2proded, or a wrapper that starts one), or a
// sandboxed engine cannot read the game directory. Nothing when it may join.
std::optional<std::string> joinProblem(const SessionSettings& session, const GameEngine& game);

// The game's own program in the game directory, started as a launch starts
// it, with the join arguments instead of the launch's.
StartRequest joinRequest(const SessionSettings& session, const GameEngine& game,
                         const ServerAddress& address, bool endsWithStarter = false);

// What the player hears before a join, from the server's answer (null when
// none came): "No answer from ADDRESS.", or that the server does not run the
// add-on (its "game" rule is not "vantor"). Nothing when it does. The player
// may join all the same.
std::optional<std::string> joinWarning(const ServerAddress& address, const ServerEntry* answer);

// Joins the server typed: the address is checked first, then the program;
// either stops the join with its message. The game is started and watched as
// a launch starts it (Close on Launch holds as for a launch); no script is
// written. A server joined goes first among the recent servers of remember
// (null: none are kept).
LaunchResult Join(const SessionSettings& session, std::string_view address, MessagePrompts& prompts,
                  GameStarter& starter, ValueStore* remember);

}  // namespace wyn
