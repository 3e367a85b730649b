// wyn: the window program. Arguments: a preset to open, then "-L" to launch it.
#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

#include "app/search_environment.h"
#include "content/installation_search.h"
#include "platform/settings_value_store.h"
#include "platform/watching_game_starter.h"
#include "store/stored_values.h"
#include "ui/pictures.h"
#include "ui/qt_prompts.h"
#include "ui/qt_text.h"
#include "ui/qt_windows.h"
#include "ui/t_wyn_form.h"

namespace {

// WYN_SETTINGS names an INI file to use instead of the user's settings, as
// `make run` does for the sample installation.
std::unique_ptr<wyn::ValueStore> openStore() {
    if (const char* file = std::getenv("WYN_SETTINGS"); file != nullptr && *file != '\0') {
        return std::make_unique<wyn::SettingsValueStore>(file);
    }
    return std::make_unique<wyn::SettingsValueStore>();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    wyn::setUpApplication();

    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        arguments.push_back(wyn::fromQt(argument));
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
                environment = wyn::systemSearchEnvironment()] {
            return wyn::fullInstallationsFirst(
                wyn::findInstallations(directory, environment, wyn::PlatformProfile::native()));
        };
    });
    wyn::QtWindows windows(*store, starter, prompts);
    wyn::TWYNForm form({wyn::PlatformProfile::native(), *store, starter, prompts, windows},
                       wyn::fromQt(QDir::currentPath()));
    prompts.setParent(&form);
    windows.setMainWindow(&form);
    // Set before the arguments are handled, so a game "-L" started is watched too.
    starter.setEndHandler([&form](const wyn::GameEnd& end) { form.gameEnded(end); });
    form.start(arguments);
    return QApplication::exec();
}
