#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"
#include "engine/engine.h"
#include "engine/flatpak.h"

namespace wyn {

// Where a game runs and whose it is: the game directory WYN starts the engine
// in, the user's home and $XDG_DATA_HOME, and on Windows the user's Documents
// folder (each empty when unknown), passed in so that the core reads no
// environment. A Flatpak sandbox also finds the folders it is granted by the
// other XDG folders, and the system's Flatpak installation.
struct EngineEnvironment {
    std::string gameDirectory;
    std::string home;
    std::string xdgDataHome;
    PlatformProfile profile = PlatformProfile::native();
    std::string documents = {};
    std::string xdgConfigHome = {};
    std::string xdgCacheHome = {};
    std::string xdgRuntimeDir = {};
    std::string systemFlatpak = std::string(kSystemFlatpakInstallation);
};

// The engine's user folder: its hidden folder in the home when that exists,
// otherwise for a build with XDG support its folder below $XDG_DATA_HOME
// (~/.local/share), otherwise the hidden folder; for an engine whose build
// names it, the compiled-in home; for a Windows build, its folder in the
// Documents folder; empty for an engine without one.
std::string engineUserFolder(const Engine& engine, const EngineEnvironment& environment);

// The folders the engine reads, most important first: its user folder, then
// its data folders. The game directory is always the last: WYN names it on the
// command line when the engine would not take it (startArguments). An engine
// that reads the folder of its own binary reads it between the two.
std::vector<std::string> engineRoots(const Engine& engine, const EngineEnvironment& environment);

// The folders a mod reads files from, first wins: each root's mod folder, then
// each root's baseq2 (the mod's alone when the mod is baseq2).
std::vector<std::string> engineSearchPath(const Engine& engine,
                                          const EngineEnvironment& environment,
                                          std::string_view mod);

// Where the add-on's scripts go: the first folder of the add-on's search path.
std::string engineScriptsFolder(const Engine& engine, const EngineEnvironment& environment);

// The arguments that name the game directory as the engine's data folder, put
// before the other start parameters ("-datadir DIR", "+set basedir DIR"), when
// its own data folder (its binary's, its compiled-in one) is another; none when
// the engine takes the game directory by itself.
std::vector<std::string> startArguments(const Engine& engine, const EngineEnvironment& environment);

// How the engine is started: the program (the one given; for a sandboxed
// engine flatpak, "run ... APP" first) and the arguments WYN puts before the
// start parameters. A start that waits for the game (wynctl launch --wait)
// ends the sandbox with its starter (--die-with-parent); the window's starts
// leave it running on its own, as every game they start.
struct StartCommand {
    std::string program;
    std::vector<std::string> arguments;

    bool operator==(const StartCommand&) const = default;
};
StartCommand startCommand(const Engine& engine, const EngineEnvironment& environment,
                          const std::string& program, bool endsWithStarter = false);

// Nothing when the engine can read the game directory; for a sandboxed
// engine that cannot, the message that stops the launch: where the game data
// must go, and the override that would let the engine read it; for an engine
// no argument tells the game directory (id's Quake II) that its wrapper
// starts in another folder, that this folder is the one to choose.
std::optional<std::string> checkGameDirectoryReach(const Engine& engine,
                                                   const EngineEnvironment& environment);

// The folder an installed engine's game data is in, as its launcher tells:
// a sandbox's user folder, the data folder a wrapper names, a system-wide
// build's compiled-in folder; empty when it tells none.
std::string engineInstallationFolder(const Engine& engine, const EngineEnvironment& environment);

// The mod folders the engine loads its game library from, in its order.
std::vector<std::string> gameLibraryFolders(const Engine& engine,
                                            const EngineEnvironment& environment,
                                            std::string_view mod);

// Where the engine loads the mod's game library from (gameLibraryFolders),
// the names it loads (gameLibraryNames), and whether one of those folders
// holds one it can load: for an engine WYN knows, of its format and machine;
// for an unknown engine, one by name. The one rule both the check before a
// start and the report on a game's end go by.
struct GameLibraryFit {
    std::vector<std::string> folders;
    std::vector<std::string> names;
    bool fits = false;
};
GameLibraryFit gameLibraryFit(const Engine& engine, const EngineEnvironment& environment,
                              std::string_view mod);

// Whether the engine may start by its game library (gameLibraryFit). Nothing
// when it fits, and for an unknown engine, whose library WYN cannot tell;
// otherwise the message that stops the launch, naming the file and what the
// folders hold instead.
std::optional<std::string> checkGameLibrary(const Engine& engine,
                                            const EngineEnvironment& environment,
                                            std::string_view mod);

// The game libraries an engine loads: its own, or for an unknown engine
// every one a known engine or id's own loads on the profile's system.
std::vector<std::string> gameLibraryNames(const Engine& engine, const PlatformProfile& profile);
// The names the engines' game libraries have on Windows.
std::vector<std::string> windowsGameLibraryNames();

// The user folders the engines keep in a home, in the table's order.
std::vector<std::string> usualUserFolders(const std::string& home, const PlatformProfile& profile);

// The engine a session starts, as it runs for this user in this game
// directory: recognised once per operation and passed on.
struct GameEngine {
    Engine engine;
    EngineEnvironment environment;
};

// Reads the program (through the recognition's cache); the home,
// $XDG_DATA_HOME and the Documents folder come from the profile.
GameEngine gameEngineAt(const std::string& program, const std::string& gameDirectory,
                        const PlatformProfile& profile);

// The add-on's folder, and the game every engine falls back to.
inline constexpr std::string_view kAddOnFolder = "vantor";
inline constexpr std::string_view kBaseGame = "baseq2";

}  // namespace wyn
