#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/game_end_report.h"
#include "ui/window_prompts.h"
#include "wizard/launch_wizard.h"

namespace wyn::test {

// Every question of the core and the windows, answered without anyone
// watching: what is shown is recorded, each kind apart, and the questions
// take their answers from a queue.
class FakePrompts : public UiPrompts, public WizardPrompts {
public:
    std::vector<std::string> errors;    // "Error" boxes
    std::vector<std::string> infos;     // "Information" boxes
    std::vector<std::string> failures;  // the general error display
    std::vector<GameEndReport> gameEnds;
    // Every question in order: "caption|label|initial" for an input box,
    // "Dialog|what it showed" for the others (see the calls below).
    std::vector<std::string> questions;
    // Taken in order by whatever asks: the text typed, the comment, the file
    // chosen, the edited command line; nothing is Cancel. When the queue is
    // empty a dialog is cancelled and the command-line editor confirmed as is.
    std::deque<std::optional<std::string>> answers;

    // What the modal windows do while they are shown. The locate dialog is
    // cancelled afterwards when the script left it open.
    std::function<void(LocateDialog&)> whileLocating;
    std::function<void()> whileEditingBots;
    // Called as each failure is shown, while the window is as the user sees it.
    std::function<void(const std::string&)> onFailure;

    void showError(const std::string& text) override;
    void showInformation(const std::string& text) override;
    void showFailure(const std::string& text) override;
    void showGameEnd(const GameEndReport& report) override;

    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override;
    // "Command line|LINE": an answer replaces the line.
    bool editCommandLine(std::string& line) override;
    // "Save preset|CURRENT" and "Open preset|HISTORY..."
    std::optional<std::string> choosePresetSavePath(const std::string& current) override;
    std::optional<std::string> choosePresetOpenPath(
        const std::vector<std::string>& history) override;
    // "Locate|INFO": the dialog's info text as it opens.
    void showLocateDialog(LocateDialog& dialog) override;
    // "New comment" and "Edit comment|COMMENT".
    std::optional<std::string> askNewComment() override;
    std::optional<std::string> askEditedComment(const std::string& comment) override;
    // "Join anyway|WARNING": any answer is Yes.
    bool confirmJoin(const std::string& warning) override;
    // "Map cycle editor" and "Bot profile editor".
    void editMapCycle() override;
    void editBotProfiles() override;

private:
    std::optional<std::string> ask(std::string question);
};

}  // namespace wyn::test
