#pragma once

#include <string>

#include "temp_dir.h"

namespace wyn::bench {

// A large game directory, made once per run: 10,000 loose maps, 1,000 scripts,
// a roster of 2,000 bots and 200 teams, all the pak files, each where the
// program looks for it (baseq2/maps, baseq2, vantor/bots.cfg), so the main
// window opens on all of them.
const test::TempDir& largeInstall();

// The roster text of that installation.
std::string largeRosterText();

// A game directory for the bot profile editor: the same 2,000 bots and 200
// teams, each bot wearing one of 100 skins of the model "male", every skin
// with its own 32 by 32 icon, so each bot shown decodes a picture.
const test::TempDir& largeSkinnedInstall();
inline constexpr int kLargeSkinCount = 100;

// The icon path of skin number INDEX in that installation.
std::string largeSkinIconPath(int index);

// A square 256-colour picture, run-length encoded as PCX files are: runs and
// literals mixed, in a pattern of its own per seed.
std::string squarePcx(int side, int seed);

}  // namespace wyn::bench
