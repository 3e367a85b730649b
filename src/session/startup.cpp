#include "session/startup.h"

#include "base/file_system.h"
#include "base/value_store.h"
#include "content/installation.h"
#include "engine/engine.h"
#include "session/preset_file.h"
#include "session/session_settings.h"
#include "session/window_state.h"
#include "store/easy_reg.h"
#include "store/recent_files.h"
#include "store/stored_values.h"

namespace wyn {

// --- The start-up check.

bool StartupCheck(const SessionSettings& session, ValueStore& store, StartupPrompts& prompts,
                  const std::string& currentDirectory) {
    if (directoryExists(TEasyReg(store).ReadValue(stored::DirectoryEdit))) {
        return true;
    }
    if (FindInDirectory(defaultGameProgram(session.profile()), session.gameDirectory(),
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
    guarded(prompts, [&] {
        OpenPreset(session, arguments[0], recent);
        outcome.presetLoaded = true;
        // Only a capital L launches.
        if (arguments.size() > 1 && arguments[1] == "-L") {
            outcome.launch = Launch(session, prompts, starter);
        }
    });
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

void MainWindowLife::show() {
    // The state is restored as far as it goes; the window still opens.
    guarded(m_prompts, [&] { RestoreWindowState(m_session, TEasyReg(m_store)); });
}

ArgumentsOutcome MainWindowLife::openArguments(const std::vector<std::string>& arguments,
                                               GameStarter& starter) {
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
