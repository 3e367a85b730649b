#pragma once

#include <string>
#include <vector>

#include "session/startup.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn::test {

// A full installation: pak0 and pak1, both CTF packs, a loose map, two extra
// scripts and a roster of four bots in two teams.
inline void fillGame(const TempDir& game) {
    game.write("baseq2/pak0.pak");
    game.write("baseq2/pak1.pak");
    game.write("ctf/pak0.pak");
    game.write("vantor/pak0.pak");
    game.write("baseq2/maps/mine.bsp");
    game.write("baseq2/maps/q2ctf_loose.bsp");
    game.write("baseq2/server.cfg");
    game.write("baseq2/duel.cfg");
    game.write("vantor/bots.cfg",
               "[bots]\n"
               "\"Alpha\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "\"Bravo\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "\"Charlie\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "\"Delta\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "[teams]\n"
               "\"Reds\" \"\" \"\" [\"Alpha\" \"Bravo\"]\n"
               "\"Blues\" \"\" \"\" [\"Charlie\" \"Delta\"]\n");
}

// The native profile with the game directory as the design default, so the
// start-up check finds the game where the window starts.
inline PlatformProfile profileFor(const TempDir& game) {
    PlatformProfile profile = PlatformProfile::native();
    profile.defaultGameDirectory = game.str();
    return profile;
}

}  // namespace wyn::test
