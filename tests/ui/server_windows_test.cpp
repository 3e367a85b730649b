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
    return window.findChild<Widget*>(name);
}

// A row's texts, or the header's (row -1).
QStringList row(const QTreeWidget* tree, int index) {
    const QTreeWidgetItem* item = index < 0 ? tree->headerItem() : tree->topLevelItem(index);
    QStringList texts;
    for (int column = 0; item != nullptr && column < item->columnCount(); ++column) {
        texts.push_back(item->text(column));
    }
    return texts;
}

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 10000);
}

// The controls Tab reaches from the first, and those the mnemonics reach.
QStringList tabChain(QWidget* first, int steps) {
    QStringList chain;
    first->setFocus();
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain.push_back(QApplication::focusWidget()->objectName());
    }
    return chain;
}
QStringList mnemonicTargets(QWidget& window, const QList<Qt::Key>& keys) {
    QStringList targets;
    for (const Qt::Key key : keys) {
        QTest::keyClick(&window, key, Qt::AltModifier);
        targets.push_back(QApplication::focusWidget()->objectName());
    }
    return targets;
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

// Enter joins the address typed: while Join asks, the window says so and
// takes more typing; a server that does not answer is told plainly, and No
// joins nothing. A row chosen from the keyboard is joined.
TEST_F(JoinFormTest, ListsTheServersAsksAndJoinsTheOneChosen) {
    QtServerAsker asker(prompts);
    JoinGame join(session, store, asker, prompts, starter, 1000ms);
    const auto form = open(join);
    EXPECT_EQ(form->windowTitle(), "Join Game");
    expectFixedCentredDialog(*form, false);
    auto* list = find<QTreeWidget>(*form, "ServersListBox");
    EXPECT_EQ(row(list, -1), (QStringList{"Server", "Name", "Map", "Players", "Ping"}));
    ASSERT_TRUE(waitFor([&] { return row(list, 0).value(1) == "WYN test"; }));
    EXPECT_EQ(row(list, 0).mid(0, 4),
              (QStringList{toQt(good.address()), "WYN test", "q2dm1", "1/8"}));
    EXPECT_EQ(row(list, 1), (QStringList{toQt(silent.address()), "", "", "", ""}));

    auto* edit = find<QLineEdit>(*form, "AddressEdit");
    auto* state = find<QLabel>(*form, "StateLabel");
    edit->setFocus();
    QTest::keyClicks(edit, toQt(silent.address()));
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(accessible::name(state), toQt("Asking " + silent.address() + "..."));
    EXPECT_FALSE(find(*form, "JoinButton")->isEnabled());
    QTest::keyClicks(edit, "0");
    EXPECT_EQ(edit->text(), toQt(silent.address() + "0"));
    ASSERT_TRUE(waitFor([&] { return !prompts.questions.empty(); }));
    EXPECT_EQ(prompts.questions,
              std::vector<std::string>{"Join anyway|No answer from " + silent.address() + "."});
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_EQ(state->text(), "");

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(edit->text(), toQt(good.address()));
    accessible::press(find<QPushButton>(*form, "JoinButton"));
    ASSERT_TRUE(waitFor([&] { return !form->isVisible(); }));
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].arguments,
              (std::vector<std::string>{"+set", "game", "vantor", "+connect", good.address()}));
    EXPECT_EQ(store.readValue("RecentServer1"), good.address());
}

// What a screen reader and the keyboard reach; the local network is not
// searched from a test, the search is answered by hand.
TEST_F(JoinFormTest, IsNamedForScreenReadersAndReachedFromTheKeyboard) {
    FakeServerAsker asker;
    JoinGame join(session, store, asker, prompts, starter, 1000ms);
    const auto form = open(join);
    EXPECT_EQ(accessible::name(find(*form, "AddressEdit")), "Server Address");
    EXPECT_EQ(accessible::name(find(*form, "ServersListBox")), "Servers");
    EXPECT_EQ(accessible::description(find(*form, "StateLabel")), "What Join Game is doing");
    EXPECT_EQ(tabChain(find(*form, "AddressEdit"), 4),
              (QStringList{"ServersListBox", "FindButton", "JoinButton", "CancelButton"}));
    EXPECT_EQ(mnemonicTargets(*form, {Qt::Key_A, Qt::Key_S}),
              (QStringList{"AddressEdit", "ServersListBox"}));
    EXPECT_EQ(find<QLineEdit>(*form, "AddressEdit")->text(), "");  // tabbing chose no row

    accessible::press(find<QPushButton>(*form, "FindButton"));
    ASSERT_EQ(asker.queries.size(), 2u);
    EXPECT_TRUE(asker.queries[1].localNetwork);
    EXPECT_EQ(accessible::name(find(*form, "StateLabel")), "Searching the local network...");
    ServerAnswers found;
    found.servers.merge({{"192.168.1.30", 27912}, 9ms, {{{"hostname", "LAN party"}}, {}}});
    asker.answer(found);
    EXPECT_EQ(row(find<QTreeWidget>(*form, "ServersListBox"), 2).mid(0, 2),
              (QStringList{"192.168.1.30:27912", "LAN party"}));
    accessible::press(find<QPushButton>(*form, "CancelButton"));
    EXPECT_EQ(form->result(), QDialog::Rejected);
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
            prompts, std::vector<IpAddress>{*parseIpv4("192.168.1.20"), *parseIpv6("2001:db8::5")},
            ServerMonitor::Timing{100ms, 500ms});
        form->show();
        form->activateWindow();
        return *form;
    }
    QString text(const char* label) const { return find<QLabel>(*form, label)->text(); }
    bool answered() {
        return waitFor([&] { return text("NameLabel") == "WYN test"; });
    }
};

// The server WYN started: its values, its players, the addresses friends
// use, and its log as it grows; a server that stops answering is said so.
TEST_F(ServerStatusTest, ShowsTheServerWynStartedAndItsLogAsTheyChange) {
    const std::string log = state.write("game.log", "Q2PRO initialized\n");
    TServerStatusForm& window = open();
    window.showStarted({"127.0.0.1", server->port()}, log);
    EXPECT_EQ(find<QLineEdit>(window, "AddressEdit")->text(), toQt(server->address()));
    ASSERT_TRUE(answered());
    EXPECT_EQ((QStringList{text("MapLabel"), text("PlayersLabel"), text("FragLimitLabel"),
                           text("TimeLimitLabel")}),
              (QStringList{"q2dm1", "3/8", "25", "20 min"}));
    EXPECT_TRUE(text("StateLabel").startsWith("Answering in "));
    auto* players = find<QTreeWidget>(window, "PlayersListBox");
    EXPECT_EQ(row(players, -1), (QStringList{"Name", "Frags", "Ping"}));
    EXPECT_EQ(row(players, 0) + row(players, 2),
              (QStringList{"Vex", "7", "41", "Orla", "3", "50"}));
    auto* friends = find<QListWidget>(window, "FriendsListBox");
    const QString port = QString::number(server->port());
    ASSERT_EQ(friends->count(), 2);
    EXPECT_EQ(friends->item(1)->text(), "[2001:db8::5]:" + port);
    EXPECT_TRUE(friends->viewport()->rect().contains(friends->visualItemRect(friends->item(1))));
    friends->setFocus();
    QTest::keyClick(friends, Qt::Key_Down);
    QTest::keyClick(friends, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "[2001:db8::5]:" + port);

    auto* memo = find<QPlainTextEdit>(window, "LogMemo");
    EXPECT_EQ(memo->toPlainText(), "Q2PRO initialized\n");
    state.write("game.log", "Q2PRO initialized\nVex entered the game\n");
    ASSERT_TRUE(waitFor([&] { return memo->toPlainText().endsWith("entered the game\n"); }));
    EXPECT_EQ(memo->toPlainText(), "Q2PRO initialized\nVex entered the game\n");

    // Asked again and again; once it is gone, that is said and its last answer stays.
    const int asked = server->requests();
    ASSERT_TRUE(waitFor([&] { return server->requests() >= asked + 3; }));
    server.reset();
    ASSERT_TRUE(waitFor([&] { return text("StateLabel") == "Not answering"; }));
    EXPECT_EQ(text("NameLabel"), "WYN test");
    EXPECT_EQ(players->topLevelItemCount(), 3);
}

// Enter asks the server typed (not the one WYN started: no log); what is no
// address is refused. Closing ends the queries and the timer.
TEST_F(ServerStatusTest, EnterAsksTheServerTypedAndClosingStopsAsking) {
    TServerStatusForm& window = open();
    window.showServer({"127.0.0.1", 9});
    auto* edit = find<QLineEdit>(window, "AddressEdit");
    accessible::setText(edit, "10.0.0.1;quit");
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(prompts.errors.size(), 1u);
    accessible::setText(edit, toQt(server->address()));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_TRUE(answered());
    EXPECT_FALSE(find(window, "LogPanel")->isVisible());

    accessible::press(find<QPushButton>(window, "CloseButton"));
    EXPECT_FALSE(window.isVisible());
    const int asked = server->requests();
    QTest::qWait(500);  // five refreshes' time
    EXPECT_EQ(server->requests(), asked);
}

TEST_F(ServerStatusTest, IsNamedForScreenReadersAndReachedFromTheKeyboard) {
    TServerStatusForm& window = open();
    window.showStarted({"127.0.0.1", server->port()}, state.write("game.log", "x\n"));
    ASSERT_TRUE(answered());
    QStringList names;
    for (const char* control : {"AddressEdit", "FriendsListBox", "PlayersListBox", "LogMemo"}) {
        names.push_back(accessible::name(find(window, control)));
    }
    EXPECT_EQ(names, (QStringList{"Server Address", "Friends connect to", "Players", "Game Log"}));
    // Content labels are read as their content; what they are is their description.
    for (const char* label : {"NameLabel", "MapLabel", "PlayersLabel", "StateLabel"}) {
        EXPECT_EQ(accessible::name(find(window, label)), text(label)) << label;
    }
    EXPECT_EQ(accessible::description(find(window, "PlayersLabel")),
              "Players and the most the server takes");
    EXPECT_EQ(tabChain(find(window, "AddressEdit"), 4),
              (QStringList{"FriendsListBox", "PlayersListBox", "LogMemo", "CloseButton"}));
    EXPECT_EQ(mnemonicTargets(window, {Qt::Key_A, Qt::Key_F, Qt::Key_P, Qt::Key_L}),
              (QStringList{"AddressEdit", "FriendsListBox", "PlayersListBox", "LogMemo"}));
}

}  // namespace
}  // namespace wyn::test
