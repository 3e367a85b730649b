#include <gtest/gtest.h>

#include "fake_prompts.h"
#include "fake_server_asker.h"
#include "servers/server_monitor.h"

namespace wyn {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

const ServerAddress kHere{"127.0.0.1", 27911};

ServerAnswers answer(const ServerAddress& address, ServerStatus status, int ping = 12) {
    ServerAnswers answers;
    answers.servers.merge({address, std::chrono::milliseconds(ping), std::move(status)});
    return answers;
}

class Monitoring : public ::testing::Test {
protected:
    test::FakeServerAsker asker;
    test::FakePrompts prompts;
    ServerMonitor monitor{asker,
                          prompts,
                          {*parseIpv4("127.0.0.1"), *parseIpv4("192.168.1.20"),
                           *parseIpv6("fe80::1"), *parseIpv6("2001:db8::5")},
                          {2000ms, 1500ms}};
};

// One query at a time: the next starts two seconds after the last ended,
// answered or not; a miss keeps what the last answer said.
TEST_F(Monitoring, AsksAgainTwoSecondsAfterEachAnswerAndKeepsValuesThroughAMiss) {
    monitor.showStarted(kHere);
    ASSERT_EQ(asker.queries.size(), 1u);
    EXPECT_EQ(asker.queries[0].servers, std::vector<ServerAddress>{kHere});
    EXPECT_FALSE(asker.queries[0].localNetwork);
    EXPECT_EQ(asker.queries[0].timeout, 1500ms);
    EXPECT_EQ(monitor.stateText(), "Asking...");
    EXPECT_EQ(monitor.nameText(), "");

    asker.answer(answer(kHere, {{{"hostname", "WYN test"},
                                 {"mapname", "q2dm1"},
                                 {"maxclients", "8"},
                                 {"fraglimit", "25"},
                                 {"timelimit", "20"}},
                                {{3, 50, "Orla"}, {7, 41, "Vex"}, {3, 20, "Jo"}}}));
    EXPECT_EQ(monitor.nameText(), "WYN test");
    EXPECT_EQ(monitor.mapText(), "q2dm1");
    EXPECT_EQ(monitor.playersText(), "3/8");
    EXPECT_EQ(monitor.fragLimitText(), "25");
    EXPECT_EQ(monitor.timeLimitText(), "20 min");
    EXPECT_EQ(monitor.stateText(), "Answering in 12 ms");
    // As a scoreboard: most frags first, equals in the server's order.
    EXPECT_EQ(monitor.players(),
              (std::vector<ServerPlayer>{{7, 41, "Vex"}, {3, 50, "Orla"}, {3, 20, "Jo"}}));
    EXPECT_EQ(asker.openQueries(), 0u);
    ASSERT_EQ(asker.waits.size(), 1u);
    EXPECT_EQ(asker.waits[0].delay, 2000ms);

    asker.endWait();
    ASSERT_EQ(asker.queries.size(), 2u);
    asker.answer({});
    EXPECT_EQ(monitor.stateText(), "Not answering");
    EXPECT_EQ(monitor.nameText(), "WYN test");
    EXPECT_EQ(monitor.players().size(), 3u);
    EXPECT_EQ(asker.openQueries(), 0u);
    EXPECT_EQ(asker.openWaits(), 1u);
}

// No limit (0, or none sent) is said so.
TEST_F(Monitoring, ClosingEndsTheQueryAndTheWait) {
    monitor.show(kHere);
    monitor.close();
    EXPECT_FALSE(asker.answer(answer(kHere, {})));
    monitor.show(kHere);
    asker.answer(answer(kHere, {{{"fraglimit", "00"}}, {}}));
    EXPECT_EQ(monitor.fragLimitText() + monitor.timeLimitText(), "nonenone");
    monitor.close();
    EXPECT_FALSE(asker.endWait());
    EXPECT_EQ(asker.queries.size(), 2u);
}

// This machine's server is reached at its addresses friends can reach; any
// other server at its own.
TEST_F(Monitoring, FriendsConnectToThisMachinesAddressesOrTheServersOwn) {
    const Names here{"192.168.1.20:27911", "[2001:db8::5]:27911"};
    const std::pair<ServerAddress, Names> cases[] = {
        {kHere, here},
        {{"localhost", 27911}, here},
        {{"2001:db8::5", 27911}, here},
        {{"q2.example.org", 27912}, {"q2.example.org:27912"}},
    };
    for (const auto& [server, friends] : cases) {
        monitor.show(server);
        EXPECT_EQ(monitor.friendAddresses(), friends) << server.host;
    }
}

// An address typed is asked at Enter; one that is none is refused and the
// server shown goes on being asked.
TEST_F(Monitoring, EnterAsksTheServerTypedAndRefusesWhatIsNoAddress) {
    monitor.showStarted(kHere);
    EXPECT_TRUE(monitor.logShown());
    monitor.setAddressText("10.0.0.7;quit");
    monitor.enter();
    EXPECT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(asker.queries.size(), 1u);
    EXPECT_EQ(asker.openQueries(), 1u);

    monitor.setAddressText(" 10.0.0.7 ");
    monitor.enter();
    EXPECT_EQ(monitor.addressText(), "10.0.0.7:27910");
    ASSERT_EQ(asker.queries.size(), 2u);
    EXPECT_EQ(asker.queries[1].servers, (std::vector<ServerAddress>{{"10.0.0.7", 27910}}));
    EXPECT_EQ(asker.openQueries(), 1u);  // the last server's query ended
    EXPECT_FALSE(monitor.logShown());    // its log is not this server's

    monitor.setAddressText("127.0.0.1:27911");
    monitor.enter();
    EXPECT_TRUE(monitor.logShown());
}

TEST(ConsoleText, ShowsTheOutputAsTheGamesConsoleDoes) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\nb\n", "a\nb\n"},
        {"\x1b[31mred\tx", ".[31mred.x"},
        {"\xc8\xe5\xec\xec\xef\n\n", "Hello\n\n"},
        {"\x10q2\x11\r", "[q2]"},
    };
    for (const auto& [output, text] : cases) {
        EXPECT_EQ(consoleText(output), text);
    }
}

}  // namespace
}  // namespace wyn
