// Join Game and Server Status through their real widgets and Qt's
// accessibility interfaces, asking game servers of the test's own on loopback.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <optional>

#include "accessible.h"
#include "base/value_store.h"
#include "fake_elf.h"
#include "fake_server_asker.h"
#include "fake_starter.h"
#include "frames.h"
#include "platform/qt_text.h"
#include "session/join_game.h"
#include "session/session_settings.h"
#include "temp_dir.h"
#include "udp_server.h"
#include "ui/qt_server_asker.h"
#include "ui/t_join_form.h"
#include "ui/t_server_status_form.h"
#include "ui_fakes.h"

// Texts as text in a failure's message.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace wyn::test {
namespace {

using namespace std::chrono_literals;

const std::string kRules =
    "\\hostname\\WYN test\\mapname\\q2dm1\\maxclients\\8\\fraglimit\\25\\timelimit\\20"
    "\\game\\vantor";

template <typename Widget = QWidget>
Widget* find(const QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QStringList row(const QTreeWidget* tree, int index) {
    QStringList texts;
    if (const QTreeWidgetItem* item = tree->topLevelItem(index)) {
        for (int column = 0; column < item->columnCount(); ++column) {
            texts.push_back(item->text(column));
        }
    }
    return texts;
}

QStringList headers(const QTreeWidget* tree) {
    QStringList texts;
    for (int column = 0; column < tree->columnCount(); ++column) {
        texts.push_back(tree->headerItem()->text(column));
    }
    return texts;
}

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 10000);
}

// Where Tab goes from a control, and the control a mnemonic reaches.
QStringList tabChain(QWidget& window, QWidget* first, int steps) {
    QStringList chain;
    first->setFocus();
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain.push_back(QApplication::focusWidget()->objectName());
    }
    window.setFocus();
    return chain;
}
QString mnemonicTarget(QWidget& window, Qt::Key key) {
    window.setFocus();
    QTest::keyClick(&window, key, Qt::AltModifier);
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                  : QString();
}

// A game directory whose game is a made-up Yamagi Quake II, and two servers
// joined before: one that answers and one that does not.
class JoinFormTest : public ::testing::Test {
protected:
    TempDir temp;
    std::string game = temp.mkdir("game");
    FakePrompts prompts;
    FakeStarter starter;
    MemoryValueStore store;
    SessionSettings session{PlatformProfile::native()};
    UdpServer good{{{statusReply(kRules, {"7 41 \"Vex\""})}}};
    UdpServer silent{{}};

    void SetUp() override {
        temp.mkdir("game/baseq2");
        const auto program =
            temp.write("game/quake2", fakeElf({.strings = {"Yamagi Quake II v%s"}}));
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        session.setDirectoryPrompt(&prompts);
        session.setText(Field::DirectoryEdit, game);
        session.resetToNew();
        session.setText(Field::FilenameEdit, "quake2");
        store.writeValue("RecentServer1", good.address());
        store.writeValue("RecentServer2", silent.address());
    }

    // The window as the menu opens it, asking through the given asker.
    std::unique_ptr<TJoinForm> open(JoinGame& join) {
        auto form = std::make_unique<TJoinForm>(join, prompts);
        join.open();
        form->show();
        form->activateWindow();
        QApplication::processEvents();
        return form;
    }
};

TEST_F(JoinFormTest, ListsTheServersAndJoinsTheOneChosen) {
    QtServerAsker asker(prompts);
    JoinGame join(session, store, asker, prompts, starter, 1000ms);
    const auto form = open(join);
    EXPECT_EQ(form->windowTitle(), "Join Game");
    expectFixedCentredDialog(*form, false);
    auto* list = find<QTreeWidget>(*form, "ServersListBox");
    EXPECT_EQ(headers(list), (QStringList{"Server", "Name", "Map", "Players", "Ping"}));
    ASSERT_TRUE(waitFor([&] { return row(list, 0).value(1) == "WYN test"; }));
    EXPECT_EQ(row(list, 0).mid(0, 4),
              (QStringList{toQt(good.address()), "WYN test", "q2dm1", "1/8"}));
    bool number = false;
    row(list, 0).value(4).toInt(&number);
    EXPECT_TRUE(number);
    EXPECT_EQ(row(list, 1), (QStringList{toQt(silent.address()), "", "", "", ""}));

    // The keyboard chooses a row, which fills the address in.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(find<QLineEdit>(*form, "AddressEdit")->text(), toQt(good.address()));
    accessible::press(find<QPushButton>(*form, "JoinButton"));
    ASSERT_TRUE(waitFor([&] { return !form->isVisible(); }));
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.questions.empty());
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].arguments,
              (std::vector<std::string>{"+set", "game", "vantor", "+connect", good.address()}));
    EXPECT_TRUE(starter.requests[0].watch);
    EXPECT_EQ(store.readValue("RecentServer1"), good.address());
}

// While Join asks, the window says so and takes more typing; a server that
// does not answer is told plainly, and No joins nothing.
TEST_F(JoinFormTest, SaysWhileItAsksAndWhenTheServerDoesNotAnswer) {
    QtServerAsker asker(prompts);
    JoinGame join(session, store, asker, prompts, starter, 1000ms);
    const auto form = open(join);
    auto* edit = find<QLineEdit>(*form, "AddressEdit");
    auto* state = find<QLabel>(*form, "StateLabel");
    edit->setFocus();
    QTest::keyClicks(edit, toQt(silent.address()));
    QTest::keyClick(edit, Qt::Key_Return);  // the default button, Join
    QApplication::processEvents();
    const QString asking = toQt("Asking " + silent.address() + "...");
    EXPECT_EQ(state->text(), asking);
    EXPECT_EQ(accessible::name(state), asking);
    EXPECT_FALSE(find<QPushButton>(*form, "JoinButton")->isEnabled());
    QTest::keyClicks(edit, "0");
    EXPECT_EQ(edit->text(), toQt(silent.address() + "0"));

    ASSERT_TRUE(waitFor([&] { return !prompts.questions.empty(); }));
    EXPECT_EQ(prompts.questions,
              std::vector<std::string>{"Join anyway|No answer from " + silent.address() + "."});
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(state->text(), "");
    EXPECT_TRUE(find<QPushButton>(*form, "JoinButton")->isEnabled());
    accessible::press(find<QPushButton>(*form, "CancelButton"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

// What a screen reader says and does, the keyboard's ways through the window,
// and what is refused before anything is sent. The local network is not
// searched from a test: the search is answered by hand.
TEST_F(JoinFormTest, IsNamedForScreenReadersAndReachedFromTheKeyboard) {
    FakeServerAsker asker;
    JoinGame join(session, store, asker, prompts, starter, 1000ms);
    const auto form = open(join);
    EXPECT_EQ(accessible::name(find(*form, "AddressEdit")), "Server Address");
    EXPECT_EQ(accessible::name(find(*form, "ServersListBox")), "Servers");
    EXPECT_EQ(accessible::description(find(*form, "StateLabel")), "What Join Game is doing");
    EXPECT_EQ(tabChain(*form, find(*form, "AddressEdit"), 4),
              (QStringList{"ServersListBox", "FindButton", "JoinButton", "CancelButton"}));
    EXPECT_EQ(mnemonicTarget(*form, Qt::Key_A), "AddressEdit");
    EXPECT_EQ(mnemonicTarget(*form, Qt::Key_S), "ServersListBox");
    // Tabbing into the list chose nothing.
    EXPECT_EQ(find<QLineEdit>(*form, "AddressEdit")->text(), "");

    accessible::press(find<QPushButton>(*form, "FindButton"));
    ASSERT_EQ(asker.queries.size(), 2u);
    EXPECT_TRUE(asker.queries[1].localNetwork);
    EXPECT_EQ(accessible::name(find(*form, "StateLabel")), "Searching the local network...");
    EXPECT_FALSE(find(*form, "FindButton")->isEnabled());
    ServerAnswers found;
    found.servers.merge(
        {{"192.168.1.30", 27912},
         9ms,
         {{{"hostname", "LAN party"}, {"mapname", "q2dm2"}, {"maxclients", "4"}}, {}}});
    asker.answer(found);
    auto* list = find<QTreeWidget>(*form, "ServersListBox");
    EXPECT_EQ(row(list, 2), (QStringList{"192.168.1.30:27912", "LAN party", "q2dm2", "0/4", "9"}));
    EXPECT_TRUE(find(*form, "FindButton")->isEnabled());

    accessible::setText(find(*form, "AddressEdit"), "10.0.0.1;quit");
    accessible::press(find<QPushButton>(*form, "JoinButton"));
    EXPECT_EQ(prompts.errors, std::vector<std::string>{
                                  "'10.0.0.1;quit' is not a server address: a host name is made "
                                  "of letters, digits, '-' and '_' between dots."});
    EXPECT_EQ(asker.queries.size(), 2u);
    EXPECT_TRUE(starter.requests.empty());
}

// --- Server Status.

class ServerStatusTest : public ::testing::Test {
protected:
    TempDir state;
    FakePrompts prompts;
    std::optional<UdpServer> server{
        Behaviour{{statusReply(kRules, {"3 50 \"Orla\"", "7 41 \"Vex\"", "5 20 \"Jo\""})}}};
    std::unique_ptr<TServerStatusForm> form;

    TServerStatusForm& open() {
        form = std::make_unique<TServerStatusForm>(
            prompts,
            std::vector<IpAddress>{*parseIpv4("127.0.0.1"), *parseIpv4("192.168.1.20"),
                                   *parseIpv6("2001:db8::5")},
            ServerMonitor::Timing{100ms, 500ms});
        form->show();
        form->activateWindow();
        QApplication::processEvents();
        return *form;
    }
    QString text(const char* label) const { return find<QLabel>(*form, label)->text(); }
    ServerAddress here() const { return {"127.0.0.1", server->port()}; }
};

// The server WYN started: its values, its players, the addresses friends
// use, and its log as it grows; a server that stops answering is said so.
TEST_F(ServerStatusTest, ShowsTheServerWynStartedAndItsLogAsTheyChange) {
    const std::string log = state.write("game.log", "Q2PRO initialized\n");
    TServerStatusForm& window = open();
    window.showStarted(here(), log);
    EXPECT_EQ(window.windowTitle(), "Server Status");
    EXPECT_EQ(find<QLineEdit>(window, "AddressEdit")->text(), toQt(server->address()));
    ASSERT_TRUE(waitFor([&] { return text("NameLabel") == "WYN test"; }));
    EXPECT_EQ(text("MapLabel"), "q2dm1");
    EXPECT_EQ(text("PlayersLabel"), "3/8");
    EXPECT_EQ(text("FragLimitLabel"), "25");
    EXPECT_EQ(text("TimeLimitLabel"), "20 min");
    EXPECT_TRUE(text("StateLabel").startsWith("Answering in "));
    auto* players = find<QTreeWidget>(window, "PlayersListBox");
    EXPECT_EQ(headers(players), (QStringList{"Name", "Frags", "Ping"}));
    ASSERT_EQ(players->topLevelItemCount(), 3);
    EXPECT_EQ(row(players, 0), (QStringList{"Vex", "7", "41"}));
    EXPECT_EQ(row(players, 2), (QStringList{"Orla", "3", "50"}));
    auto* friends = find<QListWidget>(window, "FriendsListBox");
    ASSERT_EQ(friends->count(), 2);
    EXPECT_EQ(friends->item(0)->text(), toQt("192.168.1.20:" + std::to_string(server->port())));
    EXPECT_EQ(friends->item(1)->text(), toQt("[2001:db8::5]:" + std::to_string(server->port())));
    EXPECT_TRUE(friends->viewport()->rect().contains(friends->visualItemRect(friends->item(1))));

    auto* memo = find<QPlainTextEdit>(window, "LogMemo");
    EXPECT_TRUE(memo->isVisible());
    EXPECT_EQ(memo->toPlainText(), "Q2PRO initialized\n");
    state.write("game.log", "Q2PRO initialized\nVex entered the game\n");
    ASSERT_TRUE(waitFor([&] { return memo->toPlainText().endsWith("entered the game\n"); }));
    EXPECT_EQ(memo->toPlainText(), "Q2PRO initialized\nVex entered the game\n");

    // Ctrl+C copies the address chosen.
    friends->setFocus();
    friends->setCurrentRow(1);
    QTest::keyClick(friends, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), friends->item(1)->text());

    // Asked again and again; when it stops answering, that is said and what
    // it said last stays.
    const int asked = server->requests();
    ASSERT_TRUE(waitFor([&] { return server->requests() >= asked + 3; }));
    server.reset();
    ASSERT_TRUE(waitFor([&] { return text("StateLabel") == "Not answering"; }));
    EXPECT_EQ(accessible::name(find(window, "StateLabel")), "Not answering");
    EXPECT_EQ(text("NameLabel"), "WYN test");
    EXPECT_EQ(players->topLevelItemCount(), 3);
}

// Enter asks the server typed; what is no address is refused and nothing
// else changes. Closing ends the queries and the timer.
TEST_F(ServerStatusTest, EnterAsksTheServerTypedAndClosingStopsAsking) {
    TServerStatusForm& window = open();
    window.showServer({"127.0.0.1", 9});
    auto* edit = find<QLineEdit>(window, "AddressEdit");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "10.0.0.1;quit");
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_TRUE(window.isVisible());
    accessible::setText(edit, toQt(server->address()));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return text("NameLabel") == "WYN test"; }));
    EXPECT_FALSE(find(window, "LogPanel")->isVisible());
    // Friends connect to this machine's addresses at the server's port.
    EXPECT_EQ(find<QListWidget>(window, "FriendsListBox")->count(), 2);

    accessible::press(find<QPushButton>(window, "CloseButton"));
    EXPECT_FALSE(window.isVisible());
    const int asked = server->requests();
    QTest::qWait(500);  // five refreshes' time
    EXPECT_EQ(server->requests(), asked);
}

TEST_F(ServerStatusTest, IsNamedForScreenReadersAndReachedFromTheKeyboard) {
    TServerStatusForm& window = open();
    window.showStarted(here(), state.write("game.log", "x\n"));
    ASSERT_TRUE(waitFor([&] { return text("NameLabel") == "WYN test"; }));
    const std::pair<const char*, const char*> names[] = {
        {"AddressEdit", "Server Address"},
        {"FriendsListBox", "Friends connect to"},
        {"PlayersListBox", "Players"},
        {"LogMemo", "Game Log"},
    };
    for (const auto& [control, name] : names) {
        EXPECT_EQ(accessible::name(find(window, control)), name);
    }
    // Content labels are read as their content; what they are is their description.
    const std::pair<const char*, const char*> contents[] = {
        {"NameLabel", "Server name"},
        {"MapLabel", "Map"},
        {"PlayersLabel", "Players and the most the server takes"},
        {"FragLimitLabel", "Frag limit"},
        {"TimeLimitLabel", "Time limit"},
        {"StateLabel", "Whether the server answers"},
    };
    for (const auto& [label, description] : contents) {
        EXPECT_EQ(accessible::name(find(window, label)), text(label)) << label;
        EXPECT_EQ(accessible::description(find(window, label)), description);
    }
    EXPECT_EQ(tabChain(window, find(window, "AddressEdit"), 4),
              (QStringList{"FriendsListBox", "PlayersListBox", "LogMemo", "CloseButton"}));
    const std::pair<Qt::Key, const char*> mnemonics[] = {
        {Qt::Key_A, "AddressEdit"},
        {Qt::Key_F, "FriendsListBox"},
        {Qt::Key_P, "PlayersListBox"},
        {Qt::Key_L, "LogMemo"},
    };
    for (const auto& [key, control] : mnemonics) {
        EXPECT_EQ(mnemonicTarget(window, key), control);
    }
}

}  // namespace
}  // namespace wyn::test
