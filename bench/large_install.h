#pragma once

#include <string>

#include "temp_dir.h"

namespace wyn::bench {

// A large game directory, made once per run: 10,000 loose maps, 1,000 scripts,
// a roster of 2,000 bots and 200 teams, all the pak files.
const test::TempDir& largeInstall();

// The roster text of that installation.
std::string largeRosterText();

}  // namespace wyn::bench
