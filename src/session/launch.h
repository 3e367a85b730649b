#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/game_starter.h"
#include "base/prompts.h"

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

// The message for the first value of wyn.cfg that the game's console would
// read as more than that one value; nothing when each is a plain setting.
std::optional<std::string> unsafeScriptValue(const SessionSettings& session);

// The lines of launcher.cfg, or the message that stops the launch: a missing
// choice, or a name the console would read as more than a name.
struct LauncherLines {
    std::vector<std::string> lines;
    std::string error;
};
LauncherLines launcherLines(const SessionSettings& session);
// The lines for chosen bots and for chosen teams, from names already joined.
std::string launcherBotsLine(const std::string& bots);
std::vector<std::string> launcherTeamLines(const std::string& yourTeam, const std::string& teams);

// "+set game vantor [+set dedicated 1] +exec wyn.cfg" as an argument list.
std::vector<std::string> startArguments(bool dedicated);
// The game of the session's directory and executable, dedicated or not.
StartRequest startRequest(const SessionSettings& session, bool dedicated);
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
std::string scriptsFolder(const SessionSettings& session);
std::string scriptPath(const SessionSettings& session);
std::string launcherPath(const SessionSettings& session);
// Makes the scripts' folder when it is the engine's user folder's (the
// engine's own first start would make it too).
void makeScriptsFolder(const SessionSettings& session);

// The message when the add-on's folders lack the game library the engine
// loads; nothing when they hold it, or the engine is unknown.
std::optional<std::string> gameLibraryProblem(const SessionSettings& session);

// The last step of every launch: the start request, with "Failed to execute
// Quake II" when it fails. Close on Launch holds either way; without it the
// game is watched.
LaunchResult startGame(const StartRequest& request, bool closeOnLaunch, MessagePrompts& prompts,
                       GameStarter& starter);

// The start of the session's game, dedicated or not: stopped with the
// library's message when the engine would load none, else startGame.
LaunchResult startSessionGame(const SessionSettings& session, bool dedicated, bool closeOnLaunch,
                              MessagePrompts& prompts, GameStarter& starter);

// Writes wyn.cfg and launcher.cfg and starts the game. Throws WynError when a
// file cannot be written (nothing is started then).
LaunchResult Launch(SessionSettings& session, LaunchPrompts& prompts, GameStarter& starter);

}  // namespace wyn
