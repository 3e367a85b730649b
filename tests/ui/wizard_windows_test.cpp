// The launch wizard's window and the developer news window, driven through
// their real widgets on the offscreen platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "accessible.h"
#include "base/value_store.h"
#include "fake_starter.h"
#include "finger_server.h"
#include "frames.h"
#include "list_views.h"
#include "news/dev_news.h"
#include "platform/qt_text.h"
#include "session/session_settings.h"
#include "temp_dir.h"
#include "ui/t_dev_form.h"
#include "ui/t_wizard_form.h"
#include "ui_fakes.h"

namespace wyn::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

template <typename Widget = QWidget>
Widget* findIn(QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Clicks a button where a user would: a check box or radio button on its box.
void clickButton(QAbstractButton* button) {
    const bool boxed = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint point =
        boxed ? QPoint(button->height() / 2, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, point);
    QApplication::processEvents();  // a command runs from the event loop
}

// --- The wizard ---------------------------------------------------------------------

// The main window's session on a temporary game: four maps over the three
// lists, three bots (Orla marked) and two teams.
class WizardWindowTest : public ::testing::Test {
protected:
    GameDir game;
    SessionSettings session{PlatformProfile::native()};
    MemoryValueStore store;
    FakeStarter starter;
    FakePrompts prompts;
    FakeWindows windows;
    int mainWindowCloses = 0;
    std::unique_ptr<TWizardForm> form;

    void SetUp() override {
        session.setDirectoryPrompt(&prompts);
        session.setText(Field::DirectoryEdit, game.str());
        session.resetToNew();
        session.setMapItems(MapType::General, {"q2dm1", "q2dm2"});
        session.setMapItems(MapType::CTF, {"q2ctf1"});
        session.setMapItems(MapType::External, {"mymap"});
        session.setRoster({"Vex", "Orla", "Brick"}, {"Rust", "Frost"});
        session.setBotChecked(1, true);
    }

    TWizardForm& open() {
        form = std::make_unique<TWizardForm>(session, starter, prompts, windows,
                                             [this] { ++mainWindowCloses; });
        form->show();
        form->activateWindow();
        QApplication::processEvents();
        return *form;
    }

    template <typename Widget = QWidget>
    Widget* find(const char* name) const {
        return findIn<Widget>(form.get(), name);
    }
    void click(const char* name) { clickButton(find<QAbstractButton>(name)); }
    void next() { click("NextButton"); }
    void back() { click("BackButton"); }
    QString page() const {
        return find<QStackedWidget>("WizardPages")->currentWidget()->objectName();
    }
    QString buttonText(const char* name) const { return find<QPushButton>(name)->text(); }

    void clickRow(const char* list, int row) {
        auto* view = find<QListView>(list);
        const QModelIndex index = view->model()->index(row, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    // Space on a row toggles its check box, as the keyboard does.
    void toggleRow(const char* list, int row) {
        clickRow(list, row);
        auto* view = find<QListView>(list);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space);
    }
    QStringList rows(const char* list) const {
        auto* view = find<QListView>(list);
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            names.push_back(view->model()->index(row, 0).data().toString());
        }
        return names;
    }
    // Replaces the text of an editable combo box by typing.
    void type(const char* combo, const QString& text) {
        auto* box = find<QComboBox>(combo);
        box->setFocus();
        QLineEdit* edit = box->lineEdit();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    QString summary() const { return find<QPlainTextEdit>("SettingsMemo")->toPlainText(); }

    // From the intro to the opponent page of a game type.
    void toOpponentPage(const char* gameTypeRadio) {
        next();
        click(gameTypeRadio);
        next();
        next();
    }
};

TEST_F(WizardWindowTest, OpensOnTheIntroWithTheMainWindowsListsAndTheFrameworksButtons) {
    open();
    EXPECT_EQ(form->windowTitle(), "WYN Wizard");
    EXPECT_EQ(page(), "IntroBox");
    EXPECT_TRUE(find("LogoPanel")->isVisible());
    test::expectFixedCentredDialog(*form, false);

    EXPECT_EQ(buttonText("BackButton"), "< &Back");
    EXPECT_EQ(buttonText("NextButton"), "&Next >");
    EXPECT_EQ(buttonText("CancelButton"), "&Cancel");
    EXPECT_FALSE(find("BackButton")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("NextButton")->isDefault());
    // No Help, OK or dialog switch: these three are the only buttons shown.
    QStringList shown;
    for (const auto* button : find("ButtonPanel")->findChildren<QPushButton*>()) {
        if (button->isVisible()) {
            shown.push_back(button->objectName());
        }
    }
    EXPECT_EQ(shown, (QStringList{"BackButton", "NextButton", "CancelButton"}));
    // In that order at the bottom right, inside the window.
    const int back = find("BackButton")->geometry().left();
    const int next = find("NextButton")->geometry().left();
    const QRect cancel = find("CancelButton")->geometry();
    EXPECT_LT(back, next);
    EXPECT_LT(next, cancel.left());
    EXPECT_LE(find("ButtonPanel")->mapTo(form.get(), cancel.bottomRight()).x(), form->width());
    EXPECT_GT(cancel.left(), form->width() / 2);

    EXPECT_EQ(rows("MapListBox"), (QStringList{"q2dm1", "q2dm2", "q2ctf1", "mymap"}));
    EXPECT_EQ(find<QListView>("MapListBox")->currentIndex().row(), 0);
    EXPECT_EQ(rows("BotsListBox"), (QStringList{"Vex", "Orla", "Brick"}));
    const QAbstractItemModel* bots = find<QListView>("BotsListBox")->model();
    EXPECT_EQ(bots->index(1, 0).data(Qt::CheckStateRole), Qt::Checked);
    EXPECT_EQ(bots->index(0, 0).data(Qt::CheckStateRole), Qt::Unchecked);
    EXPECT_EQ(rows("BotTeamsListBox"), (QStringList{"Rust", "Frost"}));
    EXPECT_TRUE(find<QRadioButton>("DMRadio")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("SpecificRadio")->isChecked());
    EXPECT_EQ(find<QComboBox>("BotNumComboBox")->currentText(), "0");
    EXPECT_EQ(find<QComboBox>("BotNumComboBox")->count(), 31);
    EXPECT_FALSE(find("BotNumComboBox")->isEnabled());
    EXPECT_EQ(find<QComboBox>("PlayersPerTeamComboBox")->currentText(), "2");
    EXPECT_EQ(find<QComboBox>("PlayersPerTeamComboBox")->count(), 12);
    EXPECT_EQ(find<QComboBox>("YourTeamComboBox")->currentText(), "Rust");
    EXPECT_FALSE(find<QCheckBox>("ExitCheckBox")->isChecked());
}

TEST_F(WizardWindowTest, EachGameTypeHasItsPagesAndBackRetracesThem) {
    struct Case {
        const char* radio;
        QStringList pages;
    };
    const Case cases[] = {
        {"DMRadio", {"IntroBox", "ABox1", "ABox2", "ABox3", "ABox5"}},
        {"DMTeamsRadio", {"IntroBox", "ABox1", "ABox2", "ABox4", "ABox5"}},
        {"CTFRadio", {"IntroBox", "ABox1", "ABox2", "ABox3", "ABox5"}},
    };
    for (const auto& c : cases) {
        open();
        QStringList visited{page()};
        next();
        visited.push_back(page());
        click(c.radio);
        while (page() != "ABox5") {
            if (page() == "ABox4") {
                toggleRow("BotTeamsListBox", 1);
            }
            next();
            visited.push_back(page());
            ASSERT_LE(visited.size(), 6) << c.radio;
        }
        EXPECT_EQ(visited, c.pages) << c.radio;
        EXPECT_EQ(buttonText("NextButton"), "&Launch") << c.radio;
        EXPECT_TRUE(find<QPushButton>("NextButton")->isDefault());
        QStringList retraced{page()};
        while (find("BackButton")->isEnabled()) {
            back();
            retraced.push_front(page());
        }
        EXPECT_EQ(retraced, c.pages) << c.radio;
        EXPECT_EQ(buttonText("NextButton"), "&Next >");
    }
    EXPECT_THAT(prompts.errors, IsEmpty());
}

// A screen reader's user walks the same pages: "Deathmatch with Teams" chosen
// by its Toggle action leads to the team page, each button pressed by its
// Press action, and the texts of the window are read as they stand.
TEST_F(WizardWindowTest, AScreenReaderWalksThePagesAClickWalks) {
    open();
    EXPECT_EQ(accessible::name(find("IntroLabel")), find<QLabel>("IntroLabel")->text());
    EXPECT_EQ(accessible::name(find("BotNumComboBox")), "# of Bots");
    accessible::press(find<QAbstractButton>("NextButton"));
    EXPECT_EQ(page(), "ABox1");
    accessible::toggle(find("DMTeamsRadio"));
    EXPECT_TRUE(find<QRadioButton>("DMTeamsRadio")->isChecked());
    accessible::press(find<QAbstractButton>("NextButton"));
    accessible::press(find<QAbstractButton>("NextButton"));
    EXPECT_EQ(page(), "ABox4");  // the team page, as after a click
}

// "&Random" picks a map of the page's list, from the clock: pressed again and
// again it reaches every entry and never leaves none (a press that did
// nothing, or always picked the same entry, never would).
TEST_F(WizardWindowTest, RandomPicksEveryMapOfTheList) {
    open();
    next();
    click("DMRadio");
    next();
    ASSERT_EQ(page(), "ABox2");
    auto* view = find<QListView>("MapListBox");
    const auto count = rows("MapListBox").size();
    ASSERT_GE(count, 2);
    QSet<int> picked;
    for (int press = 0; press < 300 && picked.size() < count; ++press) {
        click("RandomButton");
        picked.insert(selectedRow(view));
    }
    EXPECT_EQ(picked.size(), count);
    EXPECT_FALSE(picked.contains(-1));
}

TEST_F(WizardWindowTest, EnterPressesNextAndEscCancelsWithoutWriting) {
    open();
    QTest::keyClick(form.get(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(page(), "ABox1");
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(game / "vantor/wyn.cfg"));
}

TEST_F(WizardWindowTest, TheCtfNoteFollowsTheGameType) {
    open();
    next();
    click("CTFRadio");
    next();
    EXPECT_TRUE(find("CTFText")->isVisible());
    back();
    click("DMRadio");
    next();
    EXPECT_FALSE(find("CTFText")->isVisible());
}

TEST_F(WizardWindowTest, TheBotModeEnablesItsControls) {
    open();
    toOpponentPage("DMRadio");
    click("RandomRadio");
    EXPECT_TRUE(find("BotNumComboBox")->isEnabled());
    EXPECT_FALSE(find("BotsListBox")->isEnabled());
    click("SpecificRadio");
    EXPECT_FALSE(find("BotNumComboBox")->isEnabled());
    EXPECT_TRUE(find("BotsListBox")->isEnabled());
}

TEST_F(WizardWindowTest, AFailingCheckShowsItsBoxAndTheMoveStays) {
    open();
    toOpponentPage("DMRadio");
    toggleRow("BotsListBox", 1);  // Orla, the only one marked
    next();
    EXPECT_THAT(prompts.errors, ElementsAre("Please select at least one bot to play against."));
    EXPECT_EQ(page(), "ABox3");

    prompts.errors.clear();
    click("RandomRadio");
    type("BotNumComboBox", "");
    next();
    EXPECT_THAT(prompts.errors, ElementsAre("Please select a number of bots to play against."));
    EXPECT_EQ(page(), "ABox3");
    // Back still goes to the page before the refused move.
    back();
    EXPECT_EQ(page(), "ABox2");
}

TEST_F(WizardWindowTest, WithoutMapsTheMapPageCannotBeLeft) {
    for (const auto type : kMapTypes) {
        session.setMapItems(type, {});
    }
    for (const char* radio : {"DMRadio", "DMTeamsRadio", "CTFRadio"}) {
        prompts.errors.clear();
        open();
        next();
        click(radio);
        next();
        next();
        EXPECT_THAT(prompts.errors, ElementsAre("Please select a starting map.")) << radio;
        EXPECT_EQ(page(), "ABox2") << radio;
    }
}

TEST_F(WizardWindowTest, TheTeamPageShowsOneBoxPerFailingCheckInTurn) {
    constexpr const char* kTeam = "Please select a team to join.";
    constexpr const char* kPlayers =
        "Please select a maximum number of players allowed on each team.";
    constexpr const char* kOpponents = "Please select at least one team to play against.";
    struct Case {
        bool clearTeam;
        bool clearPlayers;
        bool markOpponent;
        std::vector<std::string> errors;
    };
    const Case cases[] = {
        {true, false, true, {kTeam}},
        {false, true, true, {kPlayers}},
        {false, false, false, {kOpponents}},
        {true, true, false, {kTeam, kPlayers, kOpponents}},
    };
    for (const auto& c : cases) {
        prompts.errors.clear();
        open();
        toOpponentPage("DMTeamsRadio");
        ASSERT_EQ(page(), "ABox4");
        if (c.clearTeam) {
            type("YourTeamComboBox", "");
        }
        if (c.clearPlayers) {
            type("PlayersPerTeamComboBox", "");
        }
        if (c.markOpponent) {
            toggleRow("BotTeamsListBox", 1);
        }
        next();
        EXPECT_EQ(prompts.errors, c.errors);
        EXPECT_EQ(page(), "ABox4");
    }
}

TEST_F(WizardWindowTest, TheSummaryNamesTheAnswersOfEachGameType) {
    open();
    toOpponentPage("DMRadio");
    back();
    clickRow("MapListBox", 1);
    next();
    toggleRow("BotsListBox", 0);  // Vex and Orla
    next();
    EXPECT_EQ(summary(),
              "Game Type:  Deathmatch\n\nInitial Map:  q2dm2\n\nOpponent Bots:  Vex, Orla");

    open();
    toOpponentPage("CTFRadio");
    click("RandomRadio");
    type("BotNumComboBox", "12");
    next();
    EXPECT_EQ(
        summary(),
        "Game Type:  Capture the Flag\n\nInitial Map:  q2dm1\n\nNumber of opponent bots:  12");

    open();
    toOpponentPage("DMTeamsRadio");
    type("PlayersPerTeamComboBox", "3");
    type("YourTeamComboBox", "Frost");
    toggleRow("BotTeamsListBox", 0);
    next();
    EXPECT_EQ(summary(),
              "Game Type:  Deathmatch with Teams\n\nInitial Map:  q2dm1\n\n"
              "Maximum Number of Players per Team:  3\n\nYour Team:  Frost\n\n"
              "Opponent Teams:  Rust");
}

TEST_F(WizardWindowTest, LaunchWritesTheWizardsScriptsStartsTheGameAndStaysOpen) {
    open();
    toOpponentPage("DMRadio");
    toggleRow("BotsListBox", 2);  // Orla and Brick
    next();
    next();  // Launch
    EXPECT_EQ(game.read("vantor/wyn.cfg"),
              "set bot_show_connect_info 1\r\nset bot_allow_client_commands 1\r\n"
              "set bot_chat 1\r\nmap q2dm1\r\n");
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Orla Brick\r\n");
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].workingDirectory, game.str());
    EXPECT_THAT(starter.requests[0].arguments,
                ElementsAre("+set", "game", "vantor", "+exec", "wyn.cfg"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(page(), "ABox5");
    EXPECT_EQ(mainWindowCloses, 0);
    EXPECT_THAT(prompts.errors, IsEmpty());

    // Launch again: another game.
    QTest::keyClick(form.get(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(starter.requests.size(), 2u);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(WizardWindowTest, CloseOnLaunchClosesTheMainWindowThenTheWizardEvenWhenTheStartFails) {
    for (const bool starts : {true, false}) {
        starter.result = starts;
        prompts.errors.clear();
        mainWindowCloses = 0;
        open();
        toOpponentPage("DMRadio");
        next();
        click("ExitCheckBox");
        next();  // Launch
        EXPECT_EQ(mainWindowCloses, 1);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(prompts.errors, starts ? std::vector<std::string>{}
                                         : std::vector<std::string>{"Failed to execute Quake II"});
    }
}

TEST_F(WizardWindowTest, AScriptThatCannotBeWrittenIsShownAndTheWizardStaysOpen) {
    std::filesystem::remove_all(game / "vantor");
    open();
    toOpponentPage("DMRadio");
    next();
    click("ExitCheckBox");
    next();  // Launch
    EXPECT_THAT(prompts.failures,
                ElementsAre("Cannot create file " + (game / "vantor/wyn.cfg") + "."));
    EXPECT_THAT(starter.requests, IsEmpty());
    EXPECT_EQ(mainWindowCloses, 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(page(), "ABox5");
}

// --- The developer news ---------------------------------------------------------------

constexpr LocalDateTime kUpdateTime{2024, 3, 4, 10, 11, 12, 0};
constexpr const char* kUpdateCaption = "Last Updated: 2024-03-04 10:11:12";

DateTimeFormat fixedFormat() {
    return {[](const LocalDateTime& t) {
                return QDate(t.year, t.month, t.day).toString("yyyy-MM-dd").toStdString();
            },
            [](const LocalDateTime& t) {
                return QTime(t.hour, t.minute, t.second).toString("HH:mm:ss").toStdString();
            }};
}

std::string newsReply() {
    return fingerReply({"Login: dev", "Directory: /home/dev", "Shell: /bin/sh", "Never logged in.",
                        "No mail.", "Plan:", "Version 3.6 is out", "", "See you"});
}

// The news window over a cache directory of its own, asking "dev@127.0.0.1"
// at the port of a test server.
class NewsWindowTest : public ::testing::Test {
protected:
    TempDir cache;
    MemoryValueStore store;
    FakePrompts prompts;
    std::unique_ptr<DevNews> news;
    std::unique_ptr<TDevForm> form;

    void SetUp() override { store.writeValue("DevNewsQuery", "dev@127.0.0.1"); }

    TDevForm& open(std::uint16_t port = 0, const std::string& directory = {}) {
        form.reset();
        news = std::make_unique<DevNews>(store, PlatformProfile::native(),
                                         directory.empty() ? cache.str() : directory, fixedFormat(),
                                         [] { return kUpdateTime; });
        news->finger().setPort(port);
        news->finger().setTimeOut(5);
        form = std::make_unique<TDevForm>(*news, prompts);
        form->show();
        QApplication::processEvents();
        return *form;
    }

    template <typename Widget = QWidget>
    Widget* find(const char* name) const {
        return findIn<Widget>(form.get(), name);
    }
    // Check for Update returns at once; the news come when the query ends.
    void update() {
        clickButton(find<QAbstractButton>("UpdateButton"));
        waitForTheQuery();
    }
    void waitForTheQuery() {
        QElapsedTimer waited;
        waited.start();
        while (news->querying() && waited.elapsed() < 10000) {
            QTest::qWait(5);
        }
        QApplication::processEvents();  // the error box comes after the query
    }
    void closeButton() { clickButton(find<QAbstractButton>("CloseButton")); }
    QString label() const { return find<QLabel>("LastUpdateLabel")->text(); }
    QString newsText() const { return find<QPlainTextEdit>("TerminalMemo")->toPlainText(); }
    bool controlsEnabled() const {
        return find("CloseButton")->isEnabled() && find("UpdateButton")->isEnabled() &&
               find("TerminalMemo")->isEnabled();
    }
    bool controlsDisabled() const {
        return !find("CloseButton")->isEnabled() && !find("UpdateButton")->isEnabled() &&
               !find("TerminalMemo")->isEnabled();
    }
};

TEST_F(NewsWindowTest, TheFirstOpeningEverShowsNeverAndNoNews) {
    open();
    EXPECT_EQ(form->windowTitle(), "WYN Developer News");
    EXPECT_EQ(label(), "Last Updated: Never");
    EXPECT_EQ(newsText(), "");
    EXPECT_TRUE(find<QPushButton>("CloseButton")->isDefault());
    EXPECT_TRUE(find<QPlainTextEdit>("TerminalMemo")->isReadOnly());
    EXPECT_EQ(find("UpdateButton")->accessibleName(), "Check for Update");
    EXPECT_FALSE(find("QueryStatusLabel")->isVisible());
}

TEST_F(NewsWindowTest, AnUpdateShowsTheNewsAndCloseStoresWhatTheNextOpeningShows) {
    FingerServer server(FingerServer::replying(newsReply()));
    open(server.port());
    update();
    EXPECT_EQ(server.request(), "dev\r\n");
    EXPECT_EQ(newsText(), "Version 3.6 is out\n\nSee you");
    EXPECT_EQ(label(), kUpdateCaption);
    EXPECT_TRUE(controlsEnabled());
    EXPECT_THAT(prompts.failures, IsEmpty());

    closeButton();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(store.readValue("DevNewsUpdate"), kUpdateCaption);
    EXPECT_EQ(cache.read("devnews.dat"), "Version 3.6 is out\r\n\r\nSee you\r\n");

    open();
    EXPECT_EQ(label(), kUpdateCaption);
    EXPECT_EQ(newsText(), "Version 3.6 is out\n\nSee you");
}

TEST_F(NewsWindowTest, ARefusedConnectionIsShownOnceTheControlsAreBack) {
    cache.write("devnews.dat", "Old news\r\n");
    open(refusedPort());
    bool enabledWhenShown = false;
    bool cursorRestoredWhenShown = false;
    prompts.onFailure = [&](const std::string&) {
        enabledWhenShown = controlsEnabled();
        cursorRestoredWhenShown = QApplication::overrideCursor() == nullptr;
    };
    update();
    EXPECT_THAT(prompts.failures, ElementsAre("Winsock error no 10061."));
    EXPECT_TRUE(enabledWhenShown);
    EXPECT_TRUE(cursorRestoredWhenShown);
    EXPECT_EQ(newsText(), "Old news");
    EXPECT_TRUE(form->isVisible());
}

// Check for Update returns at once, whether the server answers, refuses or
// keeps silent: the query runs beside the window, and its error is shown
// after the press has returned.
TEST_F(NewsWindowTest, CheckForUpdateReturnsAtOnce) {
    FingerServer answering(FingerServer::replying(newsReply()));
    FingerServer silent(FingerServer::replyingAfter(std::chrono::milliseconds(1500), ""));
    for (const std::uint16_t port : {answering.port(), refusedPort(), silent.port()}) {
        open(port);
        news->finger().setTimeOut(1);
        prompts.failures.clear();
        prompts.onFailure = [&](const std::string&) { EXPECT_FALSE(news->querying()); };
        accessible::press(find<QAbstractButton>("UpdateButton"));
        if (port == silent.port()) {
            EXPECT_TRUE(news->querying());  // the press came back while the query waits
        }
        waitForTheQuery();
        EXPECT_TRUE(controlsEnabled()) << port;
    }
    EXPECT_THAT(prompts.failures, ElementsAre("Operation timed out."));
}

TEST_F(NewsWindowTest, ClosingThroughTheTitleBarSavesNothing) {
    FingerServer server(FingerServer::replying(newsReply()));
    open(server.port());
    update();
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(store.readValue("DevNewsUpdate"), "");
    EXPECT_FALSE(std::filesystem::exists(cache / "devnews.dat"));
    open();
    EXPECT_EQ(label(), "Last Updated: Never");
    EXPECT_EQ(newsText(), "");
}

TEST_F(NewsWindowTest, TheWindowStaysLiveAndWaitsVisiblyDuringASlowReply) {
    FingerServer server(FingerServer::replyingAfter(std::chrono::milliseconds(300), newsReply()));
    open(server.port());
    int ticks = 0;
    bool disabledMeanwhile = true;
    bool waitingShown = true;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!news->querying()) {
            return;  // not started yet, or over
        }
        ++ticks;
        disabledMeanwhile = disabledMeanwhile && controlsDisabled();
        waitingShown = waitingShown && find("QueryStatusLabel")->isVisible() &&
                       QApplication::overrideCursor() != nullptr &&
                       QApplication::overrideCursor()->shape() == Qt::BusyCursor;
    });
    timer.start();
    update();
    timer.stop();
    EXPECT_GE(ticks, 3);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(waitingShown);
    EXPECT_TRUE(controlsEnabled());
    EXPECT_FALSE(find("QueryStatusLabel")->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(newsText(), "Version 3.6 is out\n\nSee you");
}

// Esc or the close box during a query to a server that never answers closes
// the window at once and saves nothing; the query's late end, when the window
// is gone, shows nothing.
TEST_F(NewsWindowTest, ACloseDuringAQueryClosesAtOnceAndItsLateEndIsDropped) {
    FingerServer server(FingerServer::silent());
    open(server.port());
    news->finger().setTimeOut(1);
    std::thread query;
    news->setThreadStart([&query](std::function<void()> work) { query = std::thread(work); });
    clickButton(find<QAbstractButton>("UpdateButton"));
    ASSERT_TRUE(news->querying());
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    form.reset();
    query.join();  // its time-out ended it, and it posted its end
    QApplication::processEvents();
    EXPECT_THAT(prompts.failures, IsEmpty());
    EXPECT_EQ(store.readValue("DevNewsUpdate"), "");
    EXPECT_FALSE(std::filesystem::exists(cache / "devnews.dat"));
}

TEST_F(NewsWindowTest, ACacheThatCannotBeWrittenIsShownAndTheWindowStaysOpen) {
    const std::string missing = cache / "no/such/directory";
    open(0, missing);
    closeButton();
    EXPECT_THAT(prompts.failures, ElementsAre("Cannot create file " + missing + "/devnews.dat."));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(store.readValue("DevNewsUpdate"), "Last Updated: Never");
}

}  // namespace
}  // namespace wyn::test
