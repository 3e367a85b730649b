#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/platform_profile.h"
#include "content/locate_dialog.h"
#include "session/launch.h"

namespace wyn {

class RecentFiles;
class SessionSettings;
class ValueStore;

// What the start-up asks of the window besides the launch's questions.
class StartupPrompts : public LaunchPrompts, public virtual FailurePrompt {
public:
    // Shows the locate dialog modally; returns once the dialog is closed.
    virtual void showLocateDialog(LocateDialog& dialog) = 0;
};

// The start-up check, run while the main window is created (before the stored
// state is restored): passes silently when the stored game directory exists
// or the shown one holds the game; otherwise asks for the directory and shows
// the locate dialog, whose result does not stop the start-up. True when it
// passed silently.
bool StartupCheck(const SessionSettings& session, ValueStore& store, StartupPrompts& prompts,
                  const std::string& currentDirectory);

// What the program arguments did at start-up.
struct ArgumentsOutcome {
    bool presetLoaded = false;
    std::optional<LaunchResult> launch;  // "-L" reached the launch

    // Close on Launch: the main window closes right away.
    bool closeWindow() const { return launch && launch->closeWindow; }
};

// The main window from creation to destruction, as core steps over the
// session, the store, the recent files and the prompts. The window calls them
// from its creation, showing, closing and destruction, in that order.
class MainWindowLife {
public:
    MainWindowLife(SessionSettings& session, ValueStore& store, RecentFiles& recent,
                   StartupPrompts& prompts);

    // Creation: the recent files are read, then the start-up check runs.
    void create(const std::string& currentDirectory);
    // Showing, before the window is first drawn: the stored state is restored
    // with its repairs and the first command-line rebuild. A failure on the way
    // is shown once, and the window opens with what could be restored.
    void show();
    // Then the program arguments: a preset path, then "-L" to launch at once.
    ArgumentsOutcome openArguments(const std::vector<std::string>& arguments, GameStarter& starter);
    // Closing: the explicit values and every control are stored, then the
    // external command-line window closes (its close reaction clears
    // ExternalCheckBox, after the store kept the user's choice).
    void close();
    // Destruction: the recent files are stored.
    void destroy();

private:
    SessionSettings& m_session;
    ValueStore& m_store;
    RecentFiles& m_recent;
    StartupPrompts& m_prompts;
};

// Step 5.10 alone: loads the preset named first and launches on a second
// argument exactly "-L". A preset that cannot be read is reported, and "-L"
// is then not obeyed.
ArgumentsOutcome HandleProgramArguments(SessionSettings& session,
                                        const std::vector<std::string>& arguments,
                                        RecentFiles& recent, StartupPrompts& prompts,
                                        GameStarter& starter);

}  // namespace wyn
