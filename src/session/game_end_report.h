#pragma once

#include <string>
#include <vector>

#include "base/game_starter.h"
#include "base/platform_profile.h"
#include "engine/engine_folders.h"

namespace wyn {

// The most output lines a report shows.
inline constexpr std::size_t kReportedOutputLines = 20;

// What the player is told about a game that ended: the window shows the
// summary, then the output lines (selectable), the engine and the folders it
// read, then the likely cause.
struct GameEndReport {
    std::string summary;                   // "Quake II ended after 2 seconds with exit code 3."
    std::vector<std::string> outputLines;  // its last lines, kReportedOutputLines at most
    std::string engine;                    // empty for an engine WYN does not know
    std::string cause;                     // empty when nothing can be told
    std::string log;                       // "The game's output is in PATH."; empty without

    // The parts in their order, separated by empty lines.
    std::string text() const;
};

GameEndReport reportGameEnd(const GameEnd& end, const PlatformProfile& profile);

// "after 2 seconds", "after 1 minute 5 seconds", "at once"...
std::string describeRunTime(std::chrono::milliseconds runTime);
// "with exit code 3" or "killed by signal 11 (SIGSEGV)".
std::string describeStatus(const GameEnd& end);
// The last lines of the output, blank ones and control characters left out;
// the first line is dropped when the output was cut, as it is only a part.
std::vector<std::string> lastOutputLines(const GameEnd& end, std::size_t count);
// What the add-on folders the engine loads its game library from say about a
// game that could not load it (gameLibraryFit); empty when nothing is wrong
// there.
std::string likelyCause(const GameEngine& game);
// "The engine was NAME, which reads the game from FOLDERS."; empty for an
// engine WYN does not know.
std::string describeEngine(const GameEngine& game);

}  // namespace wyn
