#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/game_starter.h"
#include "base/prompts.h"

namespace wyn {

class SessionSettings;

// What a launch asks in its middle.
class LaunchPrompts : public MessagePrompts {
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

// The lines of launcher.cfg, or the message that stops the launch.
struct LauncherLines {
    std::vector<std::string> lines;
    std::string error;
};
LauncherLines launcherLines(const SessionSettings& session);

// "+set game vantor [+set dedicated 1] +exec wyn.cfg" as an argument list.
std::vector<std::string> startArguments(bool dedicated);
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

// Writes wyn.cfg and launcher.cfg and starts the game. Throws WynError when a
// file cannot be written (nothing is started then).
LaunchResult Launch(SessionSettings& session, LaunchPrompts& prompts, GameStarter& starter);

}  // namespace wyn
