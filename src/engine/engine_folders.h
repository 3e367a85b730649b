#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"
#include "engine/engine.h"

namespace wyn {

// Where a game runs and whose it is: the game directory WYN starts the engine
// in, and the user's home and $XDG_DATA_HOME (empty when unset), passed in so
// that the core reads no environment.
struct EngineEnvironment {
    std::string gameDirectory;
    std::string home;
    std::string xdgDataHome;
    PlatformProfile profile = PlatformProfile::native();
};

// The engine's user folder: Yamagi Quake II's ~/.yq2 when it exists, otherwise
// with XDG support $XDG_DATA_HOME/YamagiQ2 (~/.local/share/YamagiQ2), otherwise
// ~/.yq2; a system-wide Q2PRO's compiled-in home ("~/.q2pro"); empty for an
// engine without one.
std::string engineUserFolder(const Engine& engine, const EngineEnvironment& environment);

// The folders the engine reads, most important first: its user folder, then
// its data folders. The game directory is always the last: WYN names it on the
// command line when the engine would not take it (startArguments). Yamagi
// Quake II also reads the folder of its own binary, between the two.
std::vector<std::string> engineRoots(const Engine& engine, const EngineEnvironment& environment);

// The folders a mod reads files from, first wins: each root's mod folder, then
// each root's baseq2 (the mod's alone when the mod is baseq2).
std::vector<std::string> engineSearchPath(const Engine& engine,
                                          const EngineEnvironment& environment,
                                          std::string_view mod);

// Where the add-on's scripts go: the first folder of the add-on's search path.
std::string engineScriptsFolder(const Engine& engine, const EngineEnvironment& environment);

// The arguments that name the game directory as the engine's data folder, put
// before the other start parameters: "-datadir DIR" (Yamagi Quake II, whose
// binary lies elsewhere) or "+set basedir DIR" (Q2PRO with another compiled-in
// data folder); none when the engine takes the game directory by itself.
std::vector<std::string> startArguments(const Engine& engine, const EngineEnvironment& environment);

// Whether the mod's folders hold the game library the engine loads, of the
// engine's class and machine. Nothing when they do (and for an unknown
// engine); otherwise the message that stops the launch, naming the file and
// what the folders hold instead.
std::optional<std::string> checkGameLibrary(const Engine& engine,
                                            const EngineEnvironment& environment,
                                            std::string_view mod);

// The add-on's folder, and the game every engine falls back to.
inline constexpr std::string_view kAddOnFolder = "vantor";
inline constexpr std::string_view kBaseGame = "baseq2";

}  // namespace wyn
