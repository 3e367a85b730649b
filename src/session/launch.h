#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/game_starter.h"
#include "base/prompts.h"
#include "engine/engine_folders.h"

namespace wyn {

class SessionSettings;

// The messages that stop a launch, the wizard's included.
namespace launch_text {
inline constexpr const char* SelectMap = "Please select a map to play on.";
inline constexpr const char* SelectBot = "Please select at least one bot to play against.";
inline constexpr const char* SelectTeam = "Please select a team to join.";
inline constexpr const char* SelectTeams = "Please select at least one team to play against.";
inline constexpr const char* AssignBots = "Please assign at least one bot to each team.";
inline constexpr const char* StartFailed = "Failed to execute Quake II";
}  // namespace launch_text

// What a launch asks in its middle.
class LaunchPrompts : public virtual MessagePrompts {
public:
    // The command-line editor, showing the line; false when cancelled. On
    // confirmation the line holds the edited text.
    virtual bool editCommandLine(std::string& line) = 0;
    // The preset save dialog, starting with the current preset name; nothing
    // when cancelled.
    virtual std::optional<std::string> choosePresetSavePath(const std::string& current) = 0;
};

// Lines 1 to 21 of wyn.cfg: the settings before the map.
std::vector<std::string> scriptSettingLines(const SessionSettings& session);
// Lines 22 to 24: map, extra script and latency; nothing when no map is selected.
std::optional<std::vector<std::string>> scriptMapLines(const SessionSettings& session);

// Where the team to join comes from, as a message names it.
inline constexpr const char* kYourTeamSource = "Your Team";

// The message for the first value the session would give the game's console
// that the console would read as more than that one value: a value of wyn.cfg,
// or with "Manually Edit Command Line" of the command line the editor starts
// from (where '+' starts a new line), then a name of launcher.cfg. Nothing when
// each is a plain setting.
std::optional<std::string> unsafeConsoleValue(const SessionSettings& session);

// The lines of launcher.cfg, or the message of the missing choice that stops
// the launch.
struct LauncherLines {
    std::vector<std::string> lines;
    std::string error;
};
LauncherLines launcherLines(const SessionSettings& session);
// The lines for chosen bots and for chosen teams, from names already joined.
std::string launcherBotsLine(const std::string& bots);
std::vector<std::string> launcherTeamLines(const std::string& yourTeam, const std::string& teams);

// The game of the session's directory and executable, dedicated or not, for
// the engine it is.
// endsWithStarter: the starter waits for the game (GameStarter::waitsForTheGame).
StartRequest startRequest(const SessionSettings& session, const GameEngine& game, bool dedicated,
                          bool endsWithStarter = false);
// The same with the session's Dedicated Server, the engine recognised.
StartRequest startRequest(const SessionSettings& session);

enum class LaunchOutcome {
    Cancelled,    // the command-line editor was cancelled
    Stopped,      // a check failed and its message was shown
    Started,      // the game was started
    StartFailed,  // "Failed to execute Quake II" was shown
};

struct LaunchResult {
    LaunchOutcome outcome;
    bool closeWindow;  // Close on Launch: the launch reached the start request
};

// wyn.cfg and launcher.cfg: in the folder the engine reads first for the
// add-on (its user folder's, else the game directory's vantor).
std::string scriptsFolder(const GameEngine& game);
std::string scriptPath(const GameEngine& game);
std::string launcherPath(const GameEngine& game);
// Makes the scripts' folder when it is the engine's user folder's (the
// engine's own first start would make it too).
void makeScriptsFolder(const GameEngine& game);

// The message when the add-on's folders lack the game library the engine
// loads; nothing when they hold it, or the engine is unknown.
std::optional<std::string> gameLibraryProblem(const GameEngine& game);

// What stops a launch before it writes, asks or changes anything: a value the
// console would misread (unsafeConsoleValue), then a missing game library. The
// values come from presets, files and stored state; only what the user types
// into the command-line editor is their own console text.
std::optional<std::string> preflightProblem(const SessionSettings& session, const GameEngine& game);

// The last step of every launch: the start request, with "Failed to execute
// Quake II" when it fails. Close on Launch holds either way; without it the
// game is watched.
LaunchResult startGame(const StartRequest& request, bool closeOnLaunch, MessagePrompts& prompts,
                       GameStarter& starter);

// Writes wyn.cfg and launcher.cfg and starts the game. A value the console
// would misread and a missing game library stop it before it writes, asks or
// changes anything. Throws WynError when a file cannot be written (nothing is
// started then).
LaunchResult Launch(SessionSettings& session, LaunchPrompts& prompts, GameStarter& starter);

}  // namespace wyn
