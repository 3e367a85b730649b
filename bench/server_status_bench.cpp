// What a refresh of the Server Status window costs the window's thread: the
// query and the parsing of its reply run on the query's own thread, so what is
// left is taking the answer and redrawing; beside it, rebuilding the players'
// table alone from the same players, as the window builds it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "fake_prompts.h"
#include "fake_server_asker.h"
#include "platform/qt_text.h"
#include "ui/t_server_status_form.h"

namespace wyn::bench {
namespace {

// A full server: 32 players, rules as a Q2PRO server sends them.
ServerStatus fullServer(int round) {
    ServerStatus status{{{"hostname", "Orla's bot arena"},
                         {"mapname", "q2dm1"},
                         {"maxclients", "32"},
                         {"fraglimit", "50"},
                         {"timelimit", "20"},
                         {"game", "vantor"}},
                        {}};
    for (int i = 0; i < 32; ++i) {
        status.players.push_back({(i * 7 + round) % 40, 20 + i, "Player " + std::to_string(i)});
    }
    return status;
}

// Every refresh brings other frags, so the table is rebuilt each time.
void ServerStatusRefresh(benchmark::State& state) {
    test::FakePrompts prompts;
    auto owned = std::make_unique<test::FakeServerAsker>();
    test::FakeServerAsker& asker = *owned;
    TServerStatusForm form(prompts, {}, {}, nullptr, std::move(owned));
    const ServerAddress server{"127.0.0.1", 27910};
    form.showServer(server);
    form.show();
    QApplication::processEvents();
    ServerAnswers answers[2];
    for (int round = 0; round < 2; ++round) {
        answers[round].servers.merge({server, std::chrono::milliseconds(3), fullServer(round)});
    }
    int round = 0;
    for (auto _ : state) {
        // The answer comes from the query's thread, moved, not copied.
        state.PauseTiming();
        ServerAnswers arrived = answers[round];
        state.ResumeTiming();
        asker.answer(std::move(arrived));
        asker.endWait();  // the next query, as the timer starts it
        round = 1 - round;
    }
    if (form.findChild<QTreeWidget*>("PlayersListBox")->topLevelItemCount() != 32) {
        state.SkipWithError("the players' table was not filled");
    }
}
BENCHMARK(ServerStatusRefresh)->Unit(benchmark::kMicrosecond);

void ServerStatusRefreshFloor(benchmark::State& state) {
    QTreeWidget table;
    table.setColumnCount(3);
    table.show();
    const ServerStatus statuses[2] = {fullServer(0), fullServer(1)};
    int round = 0;
    for (auto _ : state) {
        table.clear();
        QList<QTreeWidgetItem*> items;
        for (const ServerPlayer& player : statuses[round].players) {
            auto* item = new QTreeWidgetItem(QStringList{
                toQt(player.name), QString::number(player.frags), QString::number(player.ping)});
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
            items.push_back(item);
        }
        table.addTopLevelItems(items);
        round = 1 - round;
    }
}
BENCHMARK(ServerStatusRefreshFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wyn::bench
