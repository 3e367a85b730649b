// wynctl's server commands against small UDP servers of the test's own on
// loopback: well-behaved, silent and hostile ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <set>
#include <sstream>
#include <thread>

#include "app/ctl_prompts.h"
#include "app/ctl_servers.h"
#include "ctl_run.h"
#include "fake_starter.h"
#include "platform/network/server_query.h"
#include "replaced.h"
#include "temp_dir.h"
#include "udp_server.h"

namespace wyn {
namespace {

using namespace std::string_literals;
using Clock = std::chrono::steady_clock;

const std::string kGood =
    "\xff\xff\xff\xffprint\n\\hostname\\WYN test\\mapname\\q2dm1"
    "\\maxclients\\8\\game\\vantor\n7 41 \"Vex\"\n"s;

using test::Behaviour;
using test::UdpServer;

// A status reply with more rules and players than are kept.
std::string hugeReply() {
    std::string reply = "\xff\xff\xff\xffprint\n"s;
    for (int i = 0; i < 1100; ++i) {
        reply += "\\r" + std::to_string(i) + "\\" + std::string(20, 'v');
    }
    reply += '\n';
    for (int i = 0; i < 300; ++i) {
        reply += "1 2 \"p" + std::to_string(i) + "\"\n";
    }
    return reply;
}

struct StatusCase {
    const char* name;
    Behaviour behaviour;
    int code;
    const char* out;
    const char* err;  // ADDRESS stands for the server's
};

const char* const kGoodOut =
    "hostname\tWYN test\nmapname\tq2dm1\nmaxclients\t8\ngame\tvantor\nplayers\t1\n7\t41\tVex\n";

const StatusCase kStatusCases[] = {
    {"Answers", {{kGood}}, 0, kGoodOut, ""},
    {"Silent", {}, 1, "", "No answer from ADDRESS.\n"},
    {"FromAnotherPort", {{kGood}, false, true}, 1, "", "No answer from ADDRESS.\n"},
    {"MalformedThenGood",
     {{"\xff\xff\xff\xffprint\n\\hostname\n"s, "\xff\xff\xff\xffinfo\nx y 0/8\n"s, kGood}},
     0,
     kGoodOut,
     ""},
    {"OnlyMalformed",
     {{"\xff\xff\xff\xffprint\n\\game\\vantor\n7 41 \"Vex"s}},
     1,
     "",
     "The answer of ADDRESS is not a server status.\nNo answer from ADDRESS.\n"},
    {"Endless", {{kGood}, true}, 0, kGoodOut, ""},
    {"EndlessGarbage",
     {{std::string(65000, '\xff')}, true},
     1,
     "",
     "The answer of ADDRESS is not a server status.\nNo answer from ADDRESS.\n"},
};

class CtlStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(CtlStatus, ChangesNothingButTheAnswer) {
    const UdpServer server(GetParam().behaviour);
    const auto start = Clock::now();
    const auto run = test::runCtl(ctlStatus, "", {"--timeout", "0.5", server.address()});
    // No server holds it beyond its time-out (with room for a loaded machine).
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(run.code, GetParam().code);
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err, test::replaced(GetParam().err, {{"ADDRESS", server.address()}}));
}

INSTANTIATE_TEST_SUITE_P(Servers, CtlStatus, ::testing::ValuesIn(kStatusCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CtlStatusHuge, KeepsAtMost1024RulesAnd256Players) {
    const UdpServer server({{hugeReply()}});
    const auto run = test::runCtl(ctlStatus, "", {server.address()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(std::ranges::count(run.out, '\n'), 1024 + 1 + 256);
    EXPECT_NE(run.out.find("\nr1023\tvvvvvvvvvvvvvvvvvvvv\nplayers\t256\n1\t2\tp0\n"),
              std::string::npos);
    EXPECT_TRUE(run.out.ends_with("\n1\t2\tp255\n"));
}

TEST(CtlStatusUsage, AnAddressIsCheckedFirst) {
    for (const auto& args : std::vector<CtlArguments>{
             {"10.0.0.1;quit"}, {}, {"a", "b"}, {"--timeout", "0", "a"}, {"--lan", "a"}}) {
        EXPECT_EQ(test::runCtl(ctlStatus, "", args).code, kExitUsage);
    }
}

// Three answering servers among 256 silent addresses, all asked at once.
TEST(CtlServers, AskEveryAddressAtOnceFastestFirst) {
    const UdpServer silent({}, "0.0.0.0");
    const UdpServer good({{kGood}});
    const UdpServer other({{"\xff\xff\xff\xffprint\n\\hostname\\Other\\mapname\\q2dm2\n"s}});
    CtlArguments args{"--timeout", "1", good.address(), other.address(), good.address()};
    for (int i = 0; i < 256; ++i) {
        args.push_back("127.0." + std::to_string(1 + i / 200) + "." + std::to_string(2 + i % 200) +
                       ":" + std::to_string(silent.port()));
    }
    const auto start = Clock::now();
    const auto run = test::runCtl(ctlServers, "", args);
    // One time-out for all, not one each.
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(4));
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    // ADDRESS, PING_MS, MAP, PLAYERS/MAX, NAME; the pings vary, fastest first.
    std::set<std::string> lines;
    std::vector<int> pings;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) {
        const auto ping = line.find('\t');
        const auto end = line.find('\t', ping + 1);
        pings.push_back(std::stoi(line.substr(ping + 1, end - ping - 1)));
        lines.insert(line.substr(0, ping) + line.substr(end));
    }
    EXPECT_TRUE(std::ranges::is_sorted(pings));
    EXPECT_EQ(lines, (std::set<std::string>{good.address() + "\tq2dm1\t1/8\tWYN test",
                                            other.address() + "\tq2dm2\t0/?\tOther"}));
    EXPECT_EQ(test::runCtl(ctlServers, "", {}).code, kExitUsage);
    EXPECT_EQ(test::runCtl(ctlServers, "", {"--timeout", "1", "a", "b c"}).code, kExitUsage);
}

TEST(CtlAddresses, PrintTheAddressesFriendsUse) {
    const std::vector<InterfaceAddress> interfaces{
        {"lo", *parseIpv4("127.0.0.1"), 8, {}},
        {"eth0", *parseIpv6("2001:db8::5"), 64, {}},
        {"eth0", *parseIpv4("192.168.1.20"), 24, parseIpv4("192.168.1.255")},
    };
    MemoryValueStore store;
    std::ostringstream out, err;
    CtlContext context{"", "", PlatformProfile::native(), store, out, err};
    EXPECT_EQ(ctlAddresses(context, interfaces, {"--port", "27911"}), kExitOk);
    EXPECT_EQ(out.str(), "192.168.1.20:27911\n[2001:db8::5]:27911\n");
    for (const auto& args : std::vector<CtlArguments>{{"--port", "0"}, {"--port", "+5"}, {"x"}}) {
        EXPECT_EQ(ctlAddresses(context, interfaces, args), kExitUsage);
    }
}

// Beside the caller: the result comes from the query's own thread, and
// after cancel it never comes.
TEST(ServerQuery, AnswersFromItsOwnThreadUnlessCancelled) {
    const UdpServer good({{kGood}});
    const UdpServer silent({});
    std::promise<QueryResult> answered;
    const auto query = ServerQuery::start(
        {{{"127.0.0.1", good.port()}}, false, std::chrono::seconds(5)},
        [&answered](QueryResult result) { answered.set_value(std::move(result)); });
    auto result = answered.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    const auto servers = result.get().servers.servers();
    ASSERT_EQ(servers.size(), 1u);
    EXPECT_EQ(serverName(servers[0].status), "WYN test");

    std::atomic<bool> called = false;
    const auto cancelled =
        ServerQuery::start({{{"127.0.0.1", silent.port()}}, false, std::chrono::milliseconds(200)},
                           [&called](QueryResult) { called = true; });
    cancelled->cancel();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_FALSE(called);
}

class NoForeground : public ForegroundRunner {
public:
    std::optional<GameEnd> run(const StartRequest&) override { return std::nullopt; }
};

TEST(CtlJoin, StartsTheGameOrPrintsTheStart) {
    test::GameDir game;
    MemoryValueStore store;
    std::ostringstream out, err;
    CtlContext context{game.str(), "quake2", PlatformProfile::native(), store, out, err};
    CtlPrompts prompts(err);
    const auto settings = newCtlSession(context, prompts);
    RecentFiles recent;
    test::FakeStarter starter;
    NoForeground foreground;
    CtlSession session{*settings, recent, prompts, starter, foreground};

    EXPECT_EQ(ctlJoin(context, session, {"--dry-run", "[2001:db8::5]:27911"}), kExitOk);
    EXPECT_EQ(out.str(), game / "quake2" + " +set game vantor +connect [2001:db8::5]:27911\n");
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_TRUE(store.values().empty());

    EXPECT_EQ(ctlJoin(context, session, {"10.0.0.7"}), kExitOk);
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].arguments.back(), "10.0.0.7:27910");
    EXPECT_EQ(store.readValue("RecentServer1"), "10.0.0.7:27910");

    for (const auto& args : std::vector<CtlArguments>{{}, {"--dry-run"}, {"a", "b"}, {"a b"}}) {
        EXPECT_EQ(ctlJoin(context, session, args), kExitUsage);
    }
    EXPECT_EQ(starter.requests.size(), 1u);
}

}  // namespace
}  // namespace wyn
