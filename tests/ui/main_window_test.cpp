#include <QAbstractItemModel>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include "accessible.h"
#include "base/text_file.h"
#include "main_window_fixture.h"
#include "platform/watching_game_starter.h"
#include "session/preset_file.h"
#include "ui/t_combo_box98.h"
#include "ui/t_command_line_form.h"

namespace wyn::test {
namespace {

using Names = std::vector<std::string>;

// The rules' enabled states hold at start-up and after the reactions.
TEST_F(MainWindowTest, StartsWithTheStoredStateAndTheEnabledStateTable) {
    store.writeValue("Bots", "orla");
    store.writeValue("LastGeneralMap", "q2dm3");
    start();
    EXPECT_EQ(form->windowTitle(), "Vantor Frontend");
    // No display name, which Qt would append to every caption.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    // Fixed, and minimise is the only size its title bar offers.
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(fromQt(find<QLineEdit>("DirectoryEdit")->text()), game.str());
    EXPECT_EQ(rows("BotsListBox"), (QStringList{"Vex", "Orla", "Brick"}));
    EXPECT_EQ(form->session().bots().checkedNames(), Names{"Orla"});
    EXPECT_EQ(currentRow("GeneralMapsListBox"), 2);                         // q2dm3
    EXPECT_EQ(find<QComboBox>("MaxClientsComboBox")->currentText(), "24");  // the repair
    EXPECT_EQ(find<QComboBox>("MaxClientsComboBox")->count(), 8);           // the core's items
    EXPECT_EQ(find<QSpinBox>("LagEdit")->maximum(), 1000);
    for (const char* off :
         {"ConfigComboBox", "TimeLimitComboBox", "FragLimitComboBox", "CaptureLimitComboBox",
          "SpecialTeamsComboBox", "CTFMapsListBox", "ExternalMapsListBox", "BotNumComboBox",
          "PlayersPerTeamComboBox", "YourTeamComboBox", "BotTeamsListBox", "RedListBox"}) {
        EXPECT_FALSE(enabled(off)) << off;
    }
    for (const char* on :
         {"GeneralMapsListBox", "BotsListBox", "BotSkillComboBox", "ExternalCheckBox"}) {
        EXPECT_TRUE(enabled(on)) << on;
    }
    EXPECT_EQ(find<QStackedWidget>("TeamplayPanel")->currentWidget()->objectName(), "TeamsPanel");
    EXPECT_NE(preview().find("+map q2dm3"), std::string::npos);
    EXPECT_TRUE(find("CommandLinePanel")->isVisible());
}

TEST_F(MainWindowTest, CaptureLimitSetsFragLimitAndEnablesBothBoxes) {
    start();
    showTabOf("CaptureLimitCheckBox");
    click("CaptureLimitCheckBox");
    EXPECT_TRUE(checked("FragLimitCheckBox"));
    EXPECT_TRUE(enabled("FragLimitComboBox"));
    EXPECT_TRUE(enabled("CaptureLimitComboBox"));
    click("FragLimitCheckBox");  // clearing frag limit clears capture limit
    EXPECT_FALSE(checked("CaptureLimitCheckBox"));
    EXPECT_FALSE(enabled("CaptureLimitComboBox"));
}

TEST_F(MainWindowTest, SpecificBotsClearTeamplay) {
    start();
    showTabOf("TeamplayCheckBox");
    click("TeamplayCheckBox");
    EXPECT_TRUE(checked("RandomRadio"));
    EXPECT_TRUE(enabled("BotTeamsListBox"));
    EXPECT_EQ(currentRow("BotTeamsListBox"), 0);  // the first team, highlighted
    showTabOf("SpecificRadio");
    click("SpecificRadio");
    EXPECT_FALSE(checked("TeamplayCheckBox"));
    EXPECT_FALSE(enabled("BotNumComboBox"));
    EXPECT_TRUE(enabled("BotsListBox"));
    EXPECT_FALSE(enabled("BotTeamsListBox"));
}

TEST_F(MainWindowTest, TheTeamPanelsTakeEachOthersPlace) {
    start();
    auto* panel = find<QStackedWidget>("TeamplayPanel");
    showTabOf("CTFMapsRadio");
    click("CTFMapsRadio");
    EXPECT_EQ(panel->currentWidget()->objectName(), "CTFTeamsPanel");
    EXPECT_FALSE(enabled("RedListBox"));  // teamplay is off
    showTabOf("TeamplayCheckBox");
    click("TeamplayCheckBox");
    EXPECT_TRUE(enabled("RedListBox"));
    EXPECT_TRUE(enabled("AddRedButton"));
    click("TeamplayCheckBox");  // cleared: the panel stays, disabled
    EXPECT_EQ(panel->currentWidget()->objectName(), "CTFTeamsPanel");
    EXPECT_FALSE(enabled("AddRedButton"));
    EXPECT_TRUE(checked("RandomRadio"));

    click("TeamplayCheckBox");
    showTabOf("GeneralMapsRadio");
    click("GeneralMapsRadio");
    EXPECT_EQ(panel->currentWidget()->objectName(), "TeamsPanel");
    EXPECT_TRUE(enabled("BotTeamsListBox"));
    EXPECT_EQ(currentRow("BotTeamsListBox"), 0);

    // A loose map with "ctf" in its name takes the red/blue layout.
    click("ExternalMapsRadio");
    clickRow("ExternalMapsListBox",
             static_cast<int>(rows("ExternalMapsListBox").indexOf("space_ctf")));
    EXPECT_EQ(panel->currentWidget()->objectName(), "CTFTeamsPanel");
}

TEST_F(MainWindowTest, CtfTeamsMoveWithTheButtons) {
    store.writeValue("CTFMapsRadio", "-1");
    start();
    EXPECT_EQ(rows("AvailableListBox"), (QStringList{"Vex", "Orla", "Brick"}));
    showTabOf("TeamplayCheckBox");
    click("TeamplayCheckBox");
    clickRow("AvailableListBox", 1);
    click("AddRedButton");
    EXPECT_EQ(rows("RedListBox"), QStringList{"Orla"});
    EXPECT_EQ(rows("AvailableListBox"), (QStringList{"Vex", "Brick"}));
    click("AddBlueButton");  // nothing selected in Available: nothing moves
    EXPECT_TRUE(rows("BlueListBox").isEmpty());
    clickRow("RedListBox", 0);
    click("RemoveRedButton");
    EXPECT_EQ(rows("AvailableListBox"), (QStringList{"Vex", "Brick", "Orla"}));
}

TEST_F(MainWindowTest, ViewCommandLineDisablesExternalWithoutClearingIt) {
    start();
    click("ExternalCheckBox");
    EXPECT_FALSE(find("CommandLinePanel")->isVisible());
    EXPECT_TRUE(form->commandLineForm().isVisible());
    const int heightWithout = form->height();
    click("ViewCommandLineCheckBox");
    EXPECT_FALSE(enabled("ExternalCheckBox"));
    EXPECT_TRUE(checked("ExternalCheckBox"));
    EXPECT_FALSE(form->commandLineForm().isVisible());
    EXPECT_EQ(form->height(), heightWithout);
    click("ViewCommandLineCheckBox");
    click("ExternalCheckBox");
    EXPECT_TRUE(find("CommandLinePanel")->isVisible());
    // The preview panel's 97 pixels come and go with the view rules.
    EXPECT_EQ(form->height() - heightWithout, 97);
    EXPECT_EQ(find("CommandLinePanel")->height(), 97);
}

TEST_F(MainWindowTest, ClosingTheExternalWindowClearsItsBox) {
    start();
    click("ExternalCheckBox");
    form->commandLineForm().close();  // its close box
    EXPECT_FALSE(checked("ExternalCheckBox"));
    EXPECT_TRUE(find("CommandLinePanel")->isVisible());
}

TEST_F(MainWindowTest, DedicatedChangesThePreviewAtOnce) {
    start();
    showTabOf("DedicatedCheckBox");
    click("DedicatedCheckBox");
    EXPECT_TRUE(preview().ends_with(" +set dedicated 1"));
    EXPECT_EQ(fromQt(form->commandLineForm().commandLine()), preview());
    click("DedicatedCheckBox");
    EXPECT_EQ(preview().find("dedicated"), std::string::npos);
}

TEST_F(MainWindowTest, TheExternalWindowReopensAtTheNextStart) {
    start();
    click("ExternalCheckBox");
    form->close();
    EXPECT_EQ(store.readValue("ExternalCheckBox"), "-1");
    EXPECT_FALSE(form->commandLineForm().isVisible());
    start();
    EXPECT_TRUE(checked("ExternalCheckBox"));
    EXPECT_TRUE(form->commandLineForm().isVisible());
    EXPECT_FALSE(find("CommandLinePanel")->isVisible());
}

TEST_F(MainWindowTest, TypedComboTextsCompleteAndReactAsTyped) {
    start();
    showTabOf("MaxClientsComboBox");
    auto* maxClients = find<TComboBox98>("MaxClientsComboBox");
    maxClients->setFocus();
    maxClients->lineEdit()->selectAll();
    QTest::keyClicks(maxClients->lineEdit(), "1");
    EXPECT_EQ(maxClients->currentText(), "16");  // completed, "6" selected
    EXPECT_EQ(maxClients->lineEdit()->selectedText(), "6");
    EXPECT_EQ(form->session().text(Field::MaxClientsComboBox), "16");
    QTest::keyClick(maxClients->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(maxClients->currentText(), "1");  // Backspace does not complete
    EXPECT_EQ(form->session().text(Field::MaxClientsComboBox), "1");
    QTest::keyClick(maxClients->lineEdit(), Qt::Key_Backspace);
    // Emptied: rule 1 puts "0" in, and the box shows it.
    EXPECT_EQ(maxClients->currentText(), "0");

    // Players per team is a plain editable box: no completion.
    showTabOf("PlayersPerTeamComboBox");
    click("TeamplayCheckBox");
    auto* players = find<TComboBox98>("PlayersPerTeamComboBox");
    players->setFocus();
    players->lineEdit()->selectAll();
    QTest::keyClicks(players->lineEdit(), "1");
    EXPECT_EQ(players->currentText(), "1");
}

// A team of a roster written in Latin-1 long ago shows as its author meant
// and, picked, reaches the session as the roster's own bytes.
TEST_F(MainWindowTest, APickedItemKeepsTheBytesItWasShownFrom) {
    game.write("vantor/bots.cfg",
               "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n[teams]\r\n"
               "\"Rust\" \"R\" \"\" [\"Vex\"]\r\n\"B\xf6se\" \"B\" \"\" [\"Vex\"]\r\n");
    start();
    auto* team = find<TComboBox98>("YourTeamComboBox");
    EXPECT_EQ(team->itemText(1), QStringLiteral("B\u00f6se"));
    team->setCurrentIndex(1);
    EXPECT_EQ(form->session().text(Field::YourTeamComboBox), "B\xf6se");
}

TEST_F(MainWindowTest, AnUnparsableNumberShowsTheGeneralErrorAndKeepsTheText) {
    start();
    showTabOf("CTFAutoTeamsComboBox");
    auto* autoTeams = find<TComboBox98>("CTFAutoTeamsComboBox");
    autoTeams->setFocus();
    autoTeams->lineEdit()->selectAll();
    QTest::keyClicks(autoTeams->lineEdit(), "x");
    EXPECT_EQ(prompts.failures, Names{"'x' is not a valid integer value."});
    EXPECT_EQ(autoTeams->currentText(), "x");
}

TEST_F(MainWindowTest, CheckingBotsInTheListGoesToTheSession) {
    start();
    clickRow("BotsListBox", 2, true);
    EXPECT_EQ(form->session().bots().checkedNames(), Names{"Brick"});
    clickRow("BotsListBox", 2, true);
    EXPECT_TRUE(form->session().bots().checkedNames().empty());
}

TEST_F(MainWindowTest, LaunchShowsItsMessagesAndStartsTheGame) {
    start();
    form->session().selectMap(MapType::General, std::nullopt);
    click("LaunchButton");
    EXPECT_EQ(prompts.errors, Names{"Please select a map to play on."});
    EXPECT_TRUE(starter.requests.empty());

    clickRow("GeneralMapsListBox", 0);
    click("LaunchButton");
    EXPECT_EQ(prompts.errors.back(), "Please select at least one bot to play against.");

    clickRow("BotsListBox", 0, true);
    shortcut(Qt::Key_L);  // File > Launch
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].workingDirectory, game.str());
    EXPECT_EQ(starter.requests[0].arguments, (Names{"+set", "game", "vantor", "+exec", "wyn.cfg"}));
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Vex\r\n");
    EXPECT_TRUE(form->isVisible());

    starter.result = false;
    QTest::keyClick(find("DirectoryEdit"), Qt::Key_Return);  // Enter launches
    QApplication::processEvents();
    EXPECT_EQ(prompts.errors.back(), "Failed to execute Quake II");
}

// A game that ends at once is watched: its status, its last output and the
// likely cause (no game library the engine could load) are shown.
TEST_F(MainWindowTest, AGameThatEndsAtOnceIsExplained) {
    game.write("quake2", "#!/bin/sh\necho 'Error: could not load game library'\nexit 3\n");
    std::filesystem::permissions(game / "quake2", std::filesystem::perms::owner_all);
    WatchingGameStarter watching;
    gameStarter = &watching;
    start();
    watching.setEndHandler([this](const GameEnd& end) { form->gameEnded(end); });
    clickRow("BotsListBox", 0, true);
    click("LaunchButton");
    ASSERT_TRUE(prompts.errors.empty());
    for (int waited = 0; prompts.gameEnds.empty() && waited < 10000; waited += 10) {
        QTest::qWait(10);
    }
    ASSERT_EQ(prompts.gameEnds.size(), 1u);
    const GameEndReport& report = prompts.gameEnds.front();
    EXPECT_EQ(report.summary.rfind("Quake II ended", 0), 0u) << report.summary;
    EXPECT_NE(report.summary.find("with exit code 3"), std::string::npos) << report.summary;
    EXPECT_EQ(report.outputLines, Names{"Error: could not load game library"});
    EXPECT_FALSE(report.cause.empty());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MainWindowTest, ManualEditingLaunchesTheEditedLine) {
    start();
    clickRow("BotsListBox", 0, true);
    click("ManEditCheckBox");
    prompts.answers = {"x +set skill 3 +map q2dm8"};
    click("LaunchButton");
    EXPECT_EQ(prompts.questions.back(), "Command line|" + form->session().commandLine());
    EXPECT_EQ(game.read("vantor/wyn.cfg"), "set skill 3 \r\nmap q2dm8\r\n");
    prompts.answers = {std::nullopt};
    click("LaunchButton");
    EXPECT_EQ(game.read("vantor/wyn.cfg"), "");
    EXPECT_EQ(starter.requests.size(), 1u);
}

TEST_F(MainWindowTest, CloseOnLaunchClosesTheWindowAndStoresTheState) {
    start();
    clickRow("BotsListBox", 0, true);
    click("ExitCheckBox");
    click("LaunchButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(store.readValue("ExitCheckBox"), "-1");
    EXPECT_EQ(store.readValue("Bots"), "Vex");
}

TEST_F(MainWindowTest, PresetArgumentWithCapitalLLaunchesAtOnce) {
    const auto preset = game.write("p.wyn");
    std::vector<std::string> lines(63, "0");
    lines[0] = "q2dm2";
    lines[3] = "1";  // Close on Launch
    lines[17] = "1";
    lines[46] = "1";
    lines[56] = "Orla";
    lines[59] = "General";
    writeLines(preset, lines);
    start({preset, "-l"});
    EXPECT_TRUE(starter.requests.empty());  // lower case: loaded, not launched
    EXPECT_EQ(form->windowTitle(), "Vantor Frontend - p.wyn");
    EXPECT_NE(preview().find("+map q2dm2"), std::string::npos);

    start({preset, "-L"});
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Orla\r\n");
    QApplication::processEvents();
    EXPECT_FALSE(form->isVisible());  // Close on Launch: the program ends

    start({"-L"});  // alone, it is a preset path
    EXPECT_EQ(prompts.failures.back(), "Cannot open file -L.");
    EXPECT_EQ(starter.requests.size(), 1u);
}

TEST_F(MainWindowTest, RecentFilesMenuOpensAndNumbersThePresets) {
    start();
    std::vector<std::string> lines(63, "0");
    lines[17] = "1";
    lines[59] = "CTF";
    const auto first = game.write("first.wyn");
    const auto second = game.write("second.wyn");
    writeLines(first, lines);
    writeLines(second, lines);
    prompts.answers = {first, second};
    shortcut(Qt::Key_O);
    shortcut(Qt::Key_O);
    EXPECT_EQ(prompts.questions.back(), "Open preset|" + first);  // the paths opened so far
    EXPECT_EQ(form->windowTitle(), "Vantor Frontend - second.wyn");
    auto* menu = find<QMenu>("FileMenu");
    QStringList captions;
    QAction* firstEntry = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->objectName().startsWith("RecentFile")) {
            captions.push_back(action->text());
            if (action->toolTip() == toQt(first)) {
                firstEntry = action;
            }
        }
    }
    ASSERT_EQ(captions.size(), 2);
    EXPECT_TRUE(captions[0].startsWith("&1 ")) << captions[0].toStdString();
    EXPECT_TRUE(captions[0].endsWith("second.wyn"));
    EXPECT_TRUE(captions[1].startsWith("&2 "));
    ASSERT_NE(firstEntry, nullptr);
    // The entries stand between "&Wizard..." and the separator above "E&xit".
    const auto actions = menu->actions();
    EXPECT_TRUE(actions[actions.indexOf(firstEntry) + 1]->isSeparator());
    EXPECT_EQ(actions[actions.size() - 1]->objectName(), "FileExitMenu");

    std::filesystem::remove(first);
    trigger(firstEntry);
    EXPECT_EQ(prompts.failures.back(), "Cannot open file " + first + ".");
    EXPECT_EQ(form->recentFiles().paths().size(), 2u);  // the entry stays
}

// A game directory with non-ASCII letters, blanks and an apostrophe: typed,
// it reaches the file system as its bytes and shows as typed; presets are
// saved and opened there and reopened from the recent files.
TEST_F(MainWindowTest, AGameDirectoryOfAnyNameHoldsPresetsAndRecentFiles) {
    const std::string jorg = game / "J\xC3\xB6rg's Spiele/Quake II";
    game.mkdir("J\xC3\xB6rg's Spiele/Quake II/baseq2");
    game.mkdir("J\xC3\xB6rg's Spiele/Quake II/vantor");
    start();
    showTabOf("DirectoryEdit");
    auto* directory = find<QLineEdit>("DirectoryEdit");
    directory->setText(QString::fromUtf8(jorg));
    QApplication::processEvents();
    EXPECT_TRUE(prompts.questions.empty());  // baseq2 was found there
    EXPECT_EQ(form->session().text(Field::DirectoryEdit), jorg);
    EXPECT_EQ(directory->text(), QString::fromUtf8(jorg));
    EXPECT_TRUE(find<QLabel>("CommandLineLabel")->text().startsWith(QString::fromUtf8(jorg)));

    const std::string preset = jorg + "/J\xC3\xB6rg.wyn";
    prompts.answers = {preset, preset};
    trigger(find<QAction>("FileSaveAsMenu"));
    EXPECT_EQ(form->windowTitle(), "Vantor Frontend - J\u00F6rg.wyn");
    ASSERT_EQ(readLines(preset).size(), 63u);
    shortcut(Qt::Key_N);
    shortcut(Qt::Key_O);
    EXPECT_EQ(form->windowTitle(), "Vantor Frontend - J\u00F6rg.wyn");

    shortcut(Qt::Key_N);
    auto* recent = find<QAction>("RecentFile1");
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->toolTip(), QString::fromUtf8(preset));
    EXPECT_TRUE(recent->text().endsWith("J\u00F6rg.wyn")) << recent->text().toStdString();
    trigger(recent);
    EXPECT_TRUE(prompts.failures.empty());
    EXPECT_EQ(form->windowTitle(), "Vantor Frontend - J\u00F6rg.wyn");
}

TEST_F(MainWindowTest, FileNewResetsAndSaveAsNamesTheCaption) {
    start();
    showTabOf("DedicatedCheckBox");
    click("DedicatedCheckBox");
    shortcut(Qt::Key_N);
    EXPECT_FALSE(checked("DedicatedCheckBox"));
    prompts.answers = {game / "saved.wyn"};
    shortcut(Qt::Key_S);  // no name yet: Save As
    EXPECT_EQ(form->windowTitle(), "Vantor Frontend - saved.wyn");
    EXPECT_EQ(readLines(game / "saved.wyn").size(), 63u);
}

TEST_F(MainWindowTest, ButtonsOpenTheirWindows) {
    start();
    showTabOf("MapCycleButton");
    click("MapCycleButton");
    showTabOf("BotsCFGButton");
    click("BotsCFGButton");
    click("BotChatButton");
    shortcut(Qt::Key_W);
    trigger(find<QAction>("HelpDevNewsMenu"));
    trigger(find<QAction>("HelpAboutMenu"));
    EXPECT_EQ(windows.opened, (Names{"maps", "roster", "chat", "wizard", "news", "about"}));
}

// Multiplayer stands between File and Help; its commands return before their
// windows open, also when a screen reader presses them.
TEST_F(MainWindowTest, TheMultiplayerMenuOpensJoinGameAndServerStatus) {
    start();
    QStringList menus;
    for (QAction* menu : find<QMenuBar>("MainMenu")->actions()) {
        menus.push_back(menu->text());
    }
    EXPECT_EQ(menus, (QStringList{"&File", "&Multiplayer", "&Help"}));
    QStringList items;
    for (QAction* item : find<QMenu>("MultiplayerMenu")->actions()) {
        items.push_back(item->text() + "|" + item->shortcut().toString());
    }
    EXPECT_EQ(items, (QStringList{"&Join Game...|Ctrl+J", "Server &Status...|"}));
    shortcut(Qt::Key_J);
    QAccessibleInterface* status = accessible::child(find("MultiplayerMenu"), "Server Status...");
    ASSERT_NE(status, nullptr);
    accessible::act(status, QAccessibleActionInterface::pressAction());
    EXPECT_EQ(windows.opened, Names{"join"});
    QApplication::processEvents();
    EXPECT_EQ(windows.opened, (Names{"join", "status"}));
}

TEST_F(MainWindowTest, TypingADirectoryKeepsTheMapListsWhereTheyAre) {
    start();
    showTabOf("DirectoryEdit");
    auto* edit = find<QLineEdit>("DirectoryEdit");
    edit->setFocus();
    edit->end(false);
    prompts.answers = {game.str()};
    QTest::keyClick(edit, Qt::Key_X);  // no baseq2 there: the prompt asks
    QApplication::processEvents();
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(fromQt(edit->text()), game.str());  // the answer came back
    EXPECT_EQ(rows("GeneralMapsListBox").size(), 8);
}

// A list selects its entry while its tab is hidden and scrolls to it when the
// tab is shown; a list in view scrolls at once.
TEST_F(MainWindowTest, TheSelectedMapIsInViewWhenItsListIsShown) {
    for (int i = 100; i < 400; ++i) {
        game.write("baseq2/maps/map" + std::to_string(i) + ".bsp");
    }
    store.writeValue("LastExternalMap", "map350");
    start();
    const auto inView = [this](int row) {
        auto* view = find<QListView>("ExternalMapsListBox");
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        return rect.isValid() && view->viewport()->rect().contains(rect);
    };
    showTabOf("ExternalMapsListBox");
    ASSERT_EQ(currentRow("ExternalMapsListBox"), 250);
    EXPECT_TRUE(inView(250));
    form->session().selectMap(MapType::External, 5);
    QApplication::processEvents();
    EXPECT_TRUE(inView(5));
    EXPECT_FALSE(inView(250));
}

// A screen reader reads the preview's line, with its purpose as the
// description, and names every input control: by its label where it has one,
// never by its value.
TEST_F(MainWindowTest, AScreenReaderReadsThePreviewAndNamesEveryControl) {
    start();
    auto* label = find<QLabel>("CommandLineLabel");
    EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    for (QLabel* preview :
         {label, form->commandLineForm().findChild<QLabel*>("CommandLineLabel")}) {
        EXPECT_EQ(fromQt(accessible::name(preview)), form->session().commandLine());
        EXPECT_EQ(accessible::description(preview), "Command line");
    }
    EXPECT_EQ(accessible::name(find("MaxClientsComboBox")), "Max Clients");
    EXPECT_EQ(accessible::value(find("MaxClientsComboBox")), "24");
    QHash<QWidget*, QString> captions;
    for (QLabel* l : form->findChildren<QLabel*>()) {
        if (l->buddy() != nullptr) {
            captions.insert(l->buddy(), l->text().remove('&').remove(QRegularExpression(":$")));
        }
    }
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QAbstractButton*>(widget) ||
                           qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                           qobject_cast<QListView*>(widget) || qobject_cast<QSpinBox*>(widget);
        if (!input || widget->objectName().isEmpty() || widget->objectName().startsWith("qt_") ||
            qobject_cast<QComboBox*>(widget->parentWidget()) ||
            qobject_cast<QSpinBox*>(widget->parentWidget())) {
            continue;
        }
        const std::string control = widget->objectName().toStdString();
        const QString name = accessible::name(widget);
        EXPECT_FALSE(name.isEmpty()) << control;
        if (captions.contains(widget)) {  // "Available" may say "Available bots"
            EXPECT_TRUE(name.startsWith(captions.value(widget))) << control;
        }
        if (qobject_cast<QComboBox*>(widget) != nullptr) {
            EXPECT_NE(name, accessible::value(widget)) << control;
        }
    }
}

// Whatever changes a control (the mouse, or a screen reader's Toggle, Press
// or text), the session, the preview and the enabled states end the same.
TEST_F(MainWindowTest, AScreenReaderChangesTheSessionAsTheMouseDoes) {
    using Step = std::function<void()>;
    struct Case {
        const char* what;
        Step byMouse;
        Step byReader;
    };
    const auto toggle = [this](const char* name) {
        return [this, name]() { accessible::toggle(this->find(name)); };
    };
    const auto click = [this](const char* name) {
        return [this, name]() {
            this->showTabOf(name);
            this->click(name);
        };
    };
    const Case cases[] = {
        {"capture limit sets frag limit", click("CaptureLimitCheckBox"),
         toggle("CaptureLimitCheckBox")},
        {"teamplay chooses random bots, specific bots clear teamplay",
         [&]() {
             click("TeamplayCheckBox")();
             click("SpecificRadio")();
             click("RandomRadio")();
         },
         [&]() {
             toggle("TeamplayCheckBox")();
             toggle("SpecificRadio")();
             toggle("RandomRadio")();
         }},
        {"CTF maps show the red and blue teams", click("CTFMapsRadio"), toggle("CTFMapsRadio")},
        {"a bot checked", [this]() { this->clickRow("BotsListBox", 2, true); },
         [this]() {
             // Space on the current entry: what a screen reader's user does.
             QAbstractItemModel* model = this->find<QListView>("BotsListBox")->model();
             model->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole);
         }},
        {"max clients typed",
         [this]() {
             auto* box = this->find<QComboBox>("MaxClientsComboBox");
             this->showTabOf("MaxClientsComboBox");
             box->setFocus();
             box->lineEdit()->selectAll();
             QTest::keyClicks(box->lineEdit(), "8");
         },
         [this]() {
             accessible::setText(this->find<QComboBox>("MaxClientsComboBox")->lineEdit(), "8");
         }},
    };
    const MemoryValueStore stored = store;
    for (const auto& c : cases) {
        store = stored;
        start();
        const auto before = snapshot();
        c.byMouse();
        const auto expected = snapshot();
        EXPECT_NE(expected, before) << c.what;
        store = stored;
        start();
        c.byReader();
        EXPECT_EQ(snapshot(), expected) << c.what;
    }
}

// "&Random Map" picks from the chosen list; with one map there is no choice,
// so the pick is known whatever the clock's seed.
TEST_F(MainWindowTest, RandomMapPicksFromTheChosenList) {
    start();
    form->session().setMapItems(MapType::General, {"solo"});
    EXPECT_EQ(currentRow("GeneralMapsListBox"), -1);
    showTabOf("RandomMapButton");
    click("RandomMapButton");
    EXPECT_EQ(currentRow("GeneralMapsListBox"), 0);
    EXPECT_NE(preview().find("+map solo"), std::string::npos);
}

// LaunchButton is the default button: a focused push button takes Enter
// itself, and Enter in an option launches.
TEST_F(MainWindowTest, EnterPressesTheFocusedButtonElseLaunches) {
    start();
    form->session().setMapItems(MapType::General, {"solo"});
    showTabOf("RandomMapButton");
    find("RandomMapButton")->setFocus();
    QTest::keyClick(find("RandomMapButton"), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(currentRow("GeneralMapsListBox"), 0);
    EXPECT_TRUE(starter.requests.empty());

    clickRow("BotsListBox", 0, true);
    showTabOf("LogCheckBox");
    find("LogCheckBox")->setFocus();
    QTest::keyClick(find("LogCheckBox"), Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::processEvents();
    EXPECT_EQ(starter.requests.size(), 1u);
}

// Every text of the latency reaches the session: typed a digit at a time,
// and emptied, which takes its item out of the preview.
TEST_F(MainWindowTest, EveryTextOfTheLatencyReachesThePreview) {
    start();
    showTabOf("LagEdit");
    auto* spin = find<QSpinBox>("LagEdit");
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_2);
    EXPECT_NE(preview().find(" +cmd lag 2"), std::string::npos);
    QTest::keyClick(spin, Qt::Key_5);
    EXPECT_NE(preview().find(" +cmd lag 25"), std::string::npos);
    QTest::keyClick(spin, Qt::Key_Backspace);
    QTest::keyClick(spin, Qt::Key_Backspace);
    EXPECT_EQ(form->session().text(Field::LagEdit), "");
    EXPECT_EQ(preview().find(" +cmd lag "), std::string::npos);
    accessible::setValue(spin, 7);
    EXPECT_NE(preview().find(" +cmd lag 7"), std::string::npos);
}

// A command that opens a modal window returns at once, as a screen reader's
// Press needs; the window opens from the event loop right after.
TEST_F(MainWindowTest, AMenuCommandReturnsBeforeItsWindowOpens) {
    start();
    QAccessibleInterface* about = accessible::child(find("HelpMenu"), "About...");
    ASSERT_NE(about, nullptr);
    accessible::act(about, QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(windows.opened.empty());
    QApplication::processEvents();
    EXPECT_EQ(windows.opened, Names{"about"});
}

}  // namespace
}  // namespace wyn::test
