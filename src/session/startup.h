#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/platform_profile.h"
#include "session/launch.h"

namespace wyn {

class RecentFiles;
class SessionSettings;
class ValueStore;

// Where the add-on can be had, quoted at the end of the locate dialog's two
// add-on messages. The add-on has no address of its own that we could vouch
// for, so the messages point the user to its download page by name.
inline constexpr const char* kAddOnDownloadAddress = "the Vantor add-on's download page";

enum class LocateResult { Open, Accepted, Cancelled };

// The logic of the locate dialog ("Please locate your Quake II directory"):
// each selected directory is checked for the game and the add-on; OK accepts
// only a full installation and stores it as the game directory.
class LocateDialog {
public:
    // The dialog starts in the process's current directory and checks it at
    // once; it is not shown yet, so a game without the add-on only shows the
    // download message and the dialog opens normally.
    LocateDialog(const std::string& startDirectory, const PlatformProfile& profile,
                 ValueStore& store, MessagePrompts& prompts);

    const std::string& directory() const { return m_directory; }
    const std::string& infoText() const { return m_info; }  // InfoLabel
    LocateResult result() const { return m_result; }
    bool isClosed() const { return m_result != LocateResult::Open; }

    // The user selected another directory (drive or tree).
    void directoryChanged(const std::string& directory);
    void ok();      // "&OK"
    void cancel();  // "&Cancel"

private:
    void check(bool shown);

    PlatformProfile m_profile;
    ValueStore& m_store;
    MessagePrompts& m_prompts;
    std::string m_directory;
    std::string m_info;
    LocateResult m_result = LocateResult::Open;
};

// The messages of the start-up check and the locate dialog, in the profile's
// path style.
std::string enterDirectoryMessage(const PlatformProfile& profile);
std::string noAddOnMessage();
std::string selectLocationMessage(const PlatformProfile& profile);

// What the start-up asks of the window besides the launch's questions.
class StartupPrompts : public LaunchPrompts {
public:
    // Shows the locate dialog modally; returns once the dialog is closed.
    virtual void showLocateDialog(LocateDialog& dialog) = 0;
    // The general error display: a failure nobody expected; the program goes on.
    virtual void showFailure(const std::string& text) = 0;
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
    // with its repairs and the first command-line rebuild, then the program
    // arguments are handled (a preset path, then "-L" to launch at once).
    ArgumentsOutcome show(const std::vector<std::string>& arguments, GameStarter& starter);
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
