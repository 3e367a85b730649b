#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTreeWidget>
#include <functional>

#include "fake_starter.h"
#include "platform/qt_text.h"
#include "screenshots.h"
#include "servers/server_address.h"
#include "session/join_game.h"
#include "temp_dir.h"
#include "udp_server.h"
#include "ui/qt_server_asker.h"
#include "ui/t_join_form.h"
#include "ui/t_server_status_form.h"

namespace wyn::test {

namespace {

void waitUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
}

// Join Game over the servers joined before: two that answer from loopback
// and one that does not, the first chosen.
void shootJoin(const ScreenshotContext& context, const UdpServer& home, const UdpServer& party) {
    const UdpServer silent({});
    context.store.writeValue("RecentServer1", home.address());
    context.store.writeValue("RecentServer2", party.address());
    context.store.writeValue("RecentServer3", silent.address());
    FakeStarter starter;
    QtServerAsker asker(context.prompts);
    JoinGame join(context.session, context.store, asker, context.prompts, starter);
    TJoinForm form(join, context.prompts);
    join.open();
    join.chooseRow(0);
    auto* list = form.findChild<QTreeWidget*>("ServersListBox");
    waitUntil([&] { return !list->topLevelItem(1)->text(1).isEmpty(); });
    saveScreenshot(form, context.directory, "join-game");
}

// Server Status of the server WYN started, with its players and its log.
void shootStatus(const ScreenshotContext& context, const UdpServer& home) {
    const TempDir folder;
    const std::string log = folder.write(
        "game.log",
        "Q2PRO 1.7.0 Linux x86_64\n------- Server Initialization -------\nSpawnServer: q2dm1\n"
        "Vex entered the game\nOrla entered the game\nVex was railed by Orla\n");
    TServerStatusForm form(context.prompts,
                           {*parseIpv4("192.168.1.20"), *parseIpv6("2001:db8::20")});
    form.showStarted({"127.0.0.1", home.port()}, log);
    waitUntil([&] { return !form.findChild<QLabel*>("NameLabel")->text().isEmpty(); });
    saveScreenshot(form, context.directory, "server-status");
}

}  // namespace

void shootServers(const ScreenshotContext& context) {
    const UdpServer home(
        {{statusReply("\\hostname\\Orla's bot arena\\mapname\\q2dm1\\maxclients\\8\\fraglimit\\25"
                      "\\timelimit\\20\\game\\vantor",
                      {"12 0 \"Vex\"", "17 0 \"Orla\"", "9 48 \"Brick\"", "3 112 \"Jo\""})}});
    const UdpServer party(
        {{statusReply("\\hostname\\LAN party CTF\\mapname\\q2ctf1\\maxclients\\16\\game\\ctf",
                      {"0 5 \"Kim\""})}});
    shootJoin(context, home, party);
    shootStatus(context, home);
}

}  // namespace wyn::test
