// wyn: the window program. Arguments: a preset to open, then "-L" to launch it.
#include <QApplication>
#include <memory>

#include "app/search_environment.h"
#include "content/installation_search.h"
#include "platform/settings_value_store.h"
#include "platform/system_path.h"
#include "platform/watching_game_starter.h"
#include "session/launch.h"
#include "store/stored_values.h"
#include "ui/pictures.h"
#include "ui/qt_prompts.h"
#include "ui/qt_windows.h"
#include "ui/t_wyn_form.h"

namespace {

// WYN_SETTINGS names an INI file to use instead of the user's settings, as
// `make run` does for the sample installation.
std::unique_ptr<wyn::ValueStore> openStore() {
    if (const std::string file = wyn::environmentValue("WYN_SETTINGS"); !file.empty()) {
        return std::make_unique<wyn::SettingsValueStore>(file);
    }
    return std::make_unique<wyn::SettingsValueStore>();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    wyn::setUpApplication();

    // The first argument is a preset's path, which the desktop gives as the
    // file system has it.
    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        arguments.push_back(wyn::fromSystemPath(argument));
    }
    const auto store = openStore();
    // Games started without Close on Launch are watched, so that one that
    // fails can be explained; they outlive the window all the same.
    wyn::WatchingGameStarter starter;
    wyn::QtPrompts prompts;
    // The locate dialog (asked for while the window is made) offers the
    // installations found on this computer.
    prompts.setInstallationSearch([&store] {
        return [directory = store->readValue(wyn::stored::DirectoryEdit),
                environment = wyn::systemSearchEnvironment(), profile = wyn::systemProfile()] {
            return wyn::fullInstallationsFirst(
                wyn::findInstallations(directory, environment, profile));
        };
    });
    wyn::QtWindows windows(*store, starter, prompts);
    // With the user's folders, where the engines keep theirs.
    const wyn::PlatformProfile profile = wyn::systemProfile();
    wyn::TWYNForm form({profile, *store, starter, prompts, windows}, wyn::currentDirectory());
    prompts.setParent(&form);
    windows.setMainWindow(&form);
    // Set before the arguments are handled, so a game "-L" started is watched too.
    starter.setEndHandler([&form](const wyn::GameEnd& end) { form.gameEnded(end); });
    starter.setStartFailureHandler(
        [&prompts](const wyn::StartRequest&) { prompts.showError(wyn::launch_text::StartFailed); });
    // A dedicated server WYN watches opens Server Status; the menu's shows the
    // last server started that still runs.
    windows.setRunningGames([&starter] { return starter.runningGames(); });
    starter.setWatchHandler(
        [&windows](const wyn::WatchedGame& game) { windows.gameWatched(game); });
    form.start(arguments);
    return QApplication::exec();
}
