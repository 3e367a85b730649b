#include "session/startup.h"

#include "base/errors.h"
#include "base/file_system.h"
#include "base/value_store.h"
#include "content/installation.h"
#include "session/session_settings.h"
#include "store/easy_reg.h"
#include "store/preset_file.h"
#include "store/recent_files.h"

namespace wyn {

// --- Messages.

std::string enterDirectoryMessage(const PlatformProfile& profile) {
    return "Please enter the directory where Quake II is located (i.e. " +
           profile.defaultGameDirectory + ").";
}

std::string noAddOnMessage() {
    return std::string(
               "You don't appear to the Vantor bot installed on your computer. "
               "Please download it from ") +
           kAddOnDownloadAddress + ".";
}

std::string selectLocationMessage(const PlatformProfile& profile) {
    return "Please select the location of Quake II on your computer. The '" +
           std::string(1, profile.separator) +
           "vantor' must be in this directory. If you don't have the Vantor bot installed on "
           "your computer, it can be downloaded from " +
           kAddOnDownloadAddress + ".";
}

// --- The locate dialog.

LocateDialog::LocateDialog(const std::string& startDirectory, const PlatformProfile& profile,
                           ValueStore& store, MessagePrompts& prompts)
    : m_profile(profile), m_store(store), m_prompts(prompts), m_directory(startDirectory) {
    check(false);
}

void LocateDialog::check(bool shown) {
    switch (CheckInstallation(m_directory, m_profile)) {
        case Installation::Full:
            m_info = "Found Quake II and the Vantor bot";
            return;
        case Installation::GameOnly:
            m_info = "Found Quake II";
            m_prompts.showError(noAddOnMessage());
            if (shown) {
                m_result = LocateResult::Cancelled;
            }
            return;
        case Installation::None:
            m_info.clear();
            return;
    }
}

void LocateDialog::directoryChanged(const std::string& directory) {
    if (isClosed()) {
        return;
    }
    m_directory = directory;
    check(true);
}

void LocateDialog::ok() {
    if (isClosed()) {
        return;
    }
    if (CheckInstallation(m_directory, m_profile) != Installation::Full) {
        m_prompts.showError(selectLocationMessage(m_profile));
        return;
    }
    m_prompts.showInformation("Please restart WYN.");
    TEasyReg(m_store).WriteValue(stored::Directory, m_directory);
    m_result = LocateResult::Accepted;
}

void LocateDialog::cancel() {
    if (!isClosed()) {
        m_result = LocateResult::Cancelled;
    }
}

// --- The start-up check.

bool StartupCheck(const SessionSettings& session, ValueStore& store, StartupPrompts& prompts,
                  const std::string& currentDirectory) {
    if (directoryExists(TEasyReg(store).ReadValue(stored::Directory))) {
        return true;
    }
    if (FindInDirectory(session.profile().defaultExecutable, session.gameDirectory(),
                        session.profile())) {
        return true;
    }
    prompts.showError(enterDirectoryMessage(session.profile()));
    LocateDialog dialog(currentDirectory, session.profile(), store, prompts);
    prompts.showLocateDialog(dialog);
    return false;
}

// --- The program arguments.

ArgumentsOutcome HandleProgramArguments(SessionSettings& session,
                                        const std::vector<std::string>& arguments,
                                        RecentFiles& recent, StartupPrompts& prompts,
                                        GameStarter& starter) {
    ArgumentsOutcome outcome;
    if (arguments.empty()) {
        return outcome;
    }
    try {
        LoadPreset(session, arguments[0], &recent);
        session.rebuildCommandLine();
        outcome.presetLoaded = true;
        // Only a capital L launches.
        if (arguments.size() > 1 && arguments[1] == "-L") {
            outcome.launch = Launch(session, prompts, starter);
        }
    } catch (const WynError& error) {
        prompts.showFailure(generalErrorText(error));
    }
    return outcome;
}

// --- The main window's life.

MainWindowLife::MainWindowLife(SessionSettings& session, ValueStore& store, RecentFiles& recent,
                               StartupPrompts& prompts)
    : m_session(session), m_store(store), m_recent(recent), m_prompts(prompts) {}

void MainWindowLife::create(const std::string& currentDirectory) {
    m_recent.load(m_store);
    StartupCheck(m_session, m_store, m_prompts, currentDirectory);
}

ArgumentsOutcome MainWindowLife::show(const std::vector<std::string>& arguments,
                                      GameStarter& starter) {
    try {
        RestoreWindowState(m_session, TEasyReg(m_store));
    } catch (const WynError& error) {
        // The state is restored as far as it goes; the window still opens.
        m_prompts.showFailure(generalErrorText(error));
    }
    return HandleProgramArguments(m_session, arguments, m_recent, m_prompts, starter);
}

void MainWindowLife::close() {
    SaveWindowState(m_session, TEasyReg(m_store));
    m_session.setChecked(Field::ExternalCheckBox, false);
}

void MainWindowLife::destroy() {
    m_recent.save(m_store);
}

}  // namespace wyn
