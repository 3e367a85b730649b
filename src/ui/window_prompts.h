#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bots/roster_editor.h"
#include "chat/chat_editor.h"
#include "session/game_end_report.h"
#include "session/join_game.h"
#include "session/startup.h"

namespace wyn {

// Every question the windows ask the user, in one place: the core's prompts
// and the few the windows ask themselves. QtPrompts answers them with dialogs;
// tests answer them with FakePrompts, so this header stays free of Qt.
class UiPrompts : public StartupPrompts,
                  public RosterPrompts,
                  public ChatPrompts,
                  public JoinPrompts {
public:
    // The open dialog of File > Open ("Open ", *.wyn, the file must exist); its
    // file-name field offers the paths opened so far. Nothing when cancelled.
    virtual std::optional<std::string> choosePresetOpenPath(
        const std::vector<std::string>& history) = 0;
    // The box about a watched game that ended early or failed ("Quake II",
    // warning icon); it does not wait for the user.
    virtual void showGameEnd(const GameEndReport& report) = 0;
};

// The other windows the main window opens, each modal and fresh at every
// opening, except Server Status, a monitor kept open beside the main window.
// Tests pass one that records the openings.
class WindowOpener {
public:
    virtual ~WindowOpener() = default;
    virtual void openMapCycleEditor() = 0;
    virtual void openRosterEditor() = 0;
    virtual void openChatEditor() = 0;
    virtual void openWizard() = 0;
    virtual void openDevNews() = 0;
    virtual void openAbout() = 0;
    virtual void openJoinGame() = 0;
    // The server WYN started when it still runs, else this machine's at the
    // session's port; an open window comes to the front as it is.
    virtual void openServerStatus() = 0;
};

}  // namespace wyn
