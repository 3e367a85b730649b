#include <QMenu>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include "base/text_file.h"
#include "main_window_fixture.h"
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
    EXPECT_GE(form->height() - heightWithout, 97);
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
    QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);  // File > Launch
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].workingDirectory, game.str());
    EXPECT_EQ(starter.requests[0].arguments, (Names{"+set", "game", "vantor", "+exec", "wyn.cfg"}));
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Vex\r\n");
    EXPECT_TRUE(form->isVisible());

    starter.result = false;
    QTest::keyClick(find("DirectoryEdit"), Qt::Key_Return);  // Enter launches
    EXPECT_EQ(prompts.errors.back(), "Failed to execute Quake II");
}

TEST_F(MainWindowTest, ManualEditingLaunchesTheEditedLine) {
    start();
    clickRow("BotsListBox", 0, true);
    click("ManEditCheckBox");
    prompts.editedLine = "x +set skill 3 +map q2dm8";
    click("LaunchButton");
    EXPECT_EQ(prompts.editorShown, form->session().commandLine());
    EXPECT_EQ(game.read("vantor/wyn.cfg"), "set skill 3 \r\nmap q2dm8\r\n");
    prompts.confirmEditor = false;
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
    prompts.openPath = first;
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    prompts.openPath = second;
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(prompts.lastOpenHistory, Names{first});  // the paths opened so far
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
    firstEntry->trigger();
    EXPECT_EQ(prompts.failures.back(), "Cannot open file " + first + ".");
    EXPECT_EQ(form->recentFiles().paths().size(), 2u);  // the entry stays
}

TEST_F(MainWindowTest, FileNewResetsAndSaveAsNamesTheCaption) {
    start();
    showTabOf("DedicatedCheckBox");
    click("DedicatedCheckBox");
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(checked("DedicatedCheckBox"));
    prompts.savePath = game / "saved.wyn";
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);  // no name yet: Save As
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
    QTest::keyClick(form.get(), Qt::Key_W, Qt::ControlModifier);
    find<QAction>("HelpDevNewsMenu")->trigger();
    find<QAction>("HelpAboutMenu")->trigger();
    EXPECT_EQ(windows.opened, (Names{"maps", "roster", "chat", "wizard", "news", "about"}));
}

TEST_F(MainWindowTest, TypingADirectoryKeepsTheMapListsWhereTheyAre) {
    start();
    showTabOf("DirectoryEdit");
    auto* edit = find<QLineEdit>("DirectoryEdit");
    edit->setFocus();
    edit->end(false);
    prompts.textAnswers = {game.str()};
    QTest::keyClick(edit, Qt::Key_X);  // no baseq2 there: the prompt asks
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(fromQt(edit->text()), game.str());  // the answer came back
    EXPECT_EQ(rows("GeneralMapsListBox").size(), 8);
}

TEST_F(MainWindowTest, ThePreviewCanBeSelectedAndEveryControlIsNamed) {
    start();
    auto* label = find<QLabel>("CommandLineLabel");
    EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    // No input control is nameless to a screen reader: it has a caption, a
    // label that names it, or an accessible name of its own.
    QList<QLabel*> labels = form->findChildren<QLabel*>();
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QAbstractButton*>(widget) ||
                           qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                           qobject_cast<QListView*>(widget) || qobject_cast<QSpinBox*>(widget);
        if (!input || widget->objectName().isEmpty() || widget->objectName().startsWith("qt_") ||
            qobject_cast<QComboBox*>(widget->parentWidget()) ||
            qobject_cast<QSpinBox*>(widget->parentWidget())) {
            continue;
        }
        bool named = !widget->accessibleName().isEmpty();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            named = named || !button->text().isEmpty();
        }
        for (QLabel* l : labels) {
            named = named || l->buddy() == widget;
        }
        EXPECT_TRUE(named) << widget->objectName().toStdString();
    }
}

}  // namespace
}  // namespace wyn::test
