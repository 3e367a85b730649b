// wyn: the window program. Arguments: a preset to open, then "-L" to launch it.
#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

#include "platform/process_game_starter.h"
#include "platform/settings_value_store.h"
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
    wyn::ProcessGameStarter starter;
    wyn::QtPrompts prompts;
    wyn::QtWindows windows(*store, starter, prompts);
    wyn::TWYNForm form({wyn::PlatformProfile::native(), *store, starter, prompts, windows},
                       wyn::fromQt(QDir::currentPath()));
    prompts.setParent(&form);
    windows.setMainWindow(&form);
    form.start(arguments);
    return QApplication::exec();
}
