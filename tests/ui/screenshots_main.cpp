// wyn_screenshots: shows each window and tab of the program offscreen on the
// sample installation and saves it as a PNG, so the windows can be looked at.
//
//   wyn_screenshots GAME_DIRECTORY OUTPUT_DIRECTORY
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "base/value_store.h"
#include "content/locate_dialog.h"
#include "fake_starter.h"
#include "platform/pcx_image_handler.h"
#include "platform/qt_text.h"
#include "screenshots.h"
#include "ui/pictures.h"
#include "ui/t_about_form.h"
#include "ui/t_command_form.h"
#include "ui/t_command_line_form.h"
#include "ui/t_locate_form.h"
#include "ui/t_wyn_form.h"
#include "ui_fakes.h"

namespace wyn::test {

void saveScreenshot(QWidget& widget, const QString& directory, const QString& name) {
    widget.show();
    QApplication::processEvents();
    const QString path = directory + "/" + name + ".png";
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), widget.width(), widget.height());
}

}  // namespace wyn::test

namespace {

using wyn::test::saveScreenshot;

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: wyn_screenshots GAME_DIRECTORY OUTPUT_DIRECTORY\n");
        return 2;
    }
    wyn::setUpApplication();
    const std::string game = argv[1];
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    wyn::MemoryValueStore store;
    store.writeValue("DirectoryEdit", game);
    store.writeValue("FilenameEdit", "quake2");
    store.writeValue("ViewCommandLineCheckBox", "-1");
    store.writeValue("SpecificRadio", "-1");
    store.writeValue("GeneralMapsRadio", "-1");
    store.writeValue("Bots", "Vex Orla");
    store.writeValue("RedBots", "Vex");
    store.writeValue("BlueBots", "Orla");
    wyn::test::FakeStarter starter;
    wyn::test::FakePrompts prompts;
    wyn::test::FakeWindows windows;
    wyn::TWYNForm form({wyn::PlatformProfile::native(), store, starter, prompts, windows}, game);
    form.start();
    auto* tabs = form.findChild<QTabWidget*>("MainPageControl");
    const char* names[] = {"main-general", "main-maps", "main-server", "main-teamplay",
                           "main-vantor"};
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        saveScreenshot(form, out, names[i]);
    }
    // The red/blue layout of the Teamplay tab, on a CTF map with teamplay.
    form.session().chooseRadio(wyn::Field::CTFMapsRadio);
    form.session().setChecked(wyn::Field::TeamplayCheckBox, true);
    tabs->setCurrentIndex(3);
    saveScreenshot(form, out, "main-teamplay-ctf");
    form.session().setChecked(wyn::Field::ExternalCheckBox, true);
    tabs->setCurrentIndex(0);
    saveScreenshot(form, out, "main-external");
    saveScreenshot(form.commandLineForm(), out, "command-line");

    wyn::TCommandForm editor(wyn::toQt(form.session().commandLine()));
    saveScreenshot(editor, out, "command-editor");
    wyn::LocateDialog locate(game, wyn::PlatformProfile::native(), store, prompts);
    wyn::TLocateForm locateForm(locate, prompts);
    locateForm.showInstallations({{game, wyn::Installation::Full},
                                  {"/usr/share/games/quake2", wyn::Installation::GameOnly}});
    saveScreenshot(locateForm, out, "locate");
    wyn::TAboutForm about;
    saveScreenshot(about, out, "about");

    const wyn::test::ScreenshotContext context{game, form.session(), store, prompts, out};
    wyn::test::shootEditors(context);
    wyn::test::shootWizardAndNews(context);
    wyn::test::shootServers(context);
    form.close();
    return 0;
}
