#include <gtest/gtest.h>

#include "base/value_store.h"
#include "servers/recent_servers.h"
#include "servers/server_list.h"
#include "servers/server_reply.h"

namespace wyn {
namespace {

using namespace std::string_literals;
using Rules = std::vector<ServerRule>;
using Players = std::vector<ServerPlayer>;

const std::string kMark = "\xff\xff\xff\xff"s;

// A status reply of rules numbered 0 to rules-1 and as many players.
std::string largeReply(std::size_t rules, std::size_t players) {
    std::string reply = kMark + "print\n";
    for (std::size_t i = 0; i < rules; ++i) {
        reply += "\\r" + std::to_string(i) + "\\v";
    }
    reply += '\n';
    for (std::size_t i = 0; i < players; ++i) {
        reply += "1 2 \"p" + std::to_string(i) + "\"\n";
    }
    return reply;
}

struct StatusCase {
    const char* name;
    std::string datagram;
    std::optional<ServerStatus> status;
};

const StatusCase kStatusReplies[] = {
    {"Q2pro", kMark + "print\n\\hostname\\WYN test\\mapname\\tiny\\maxclients\\8\n",
     ServerStatus{Rules{{"hostname", "WYN test"}, {"mapname", "tiny"}, {"maxclients", "8"}}, {}}},
    {"Players", kMark + "print\n\\game\\vantor\n12 48 \"Vex\"\n-3 999 \"a \"b\" c\"\n0 0 \"\"\n",
     ServerStatus{Rules{{"game", "vantor"}},
                  Players{{12, 48, "Vex"}, {-3, 999, "a \"b\" c"}, {0, 0, ""}}}},
    {"NoRules", kMark + "print\n\n", ServerStatus{}},
    {"EmptyValue", kMark + "print\n\\needpass\\\n", ServerStatus{Rules{{"needpass", ""}}, {}}},
    // High-bit and control bytes as the game's console shows them.
    {"NotUtf8",
     kMark + "print\n\\hostname\\J\xf6rg\xe2\x80\x99s\t\x10q2\x11\n1 2 \"\x9b\xc3\xa9\"\n",
     ServerStatus{Rules{{"hostname", "Jvrgb..s.[q2]"}}, Players{{1, 2, ".C)"}}}},
    {"CutShort", kMark + "print\n\\hostname\\noname\n3 40 \"Ve", std::nullopt},
    {"NoLineBreak", kMark + "print\n\\hostname\\noname", std::nullopt},
    {"OtherReply", kMark + "info\n  noname q2dm1  0/ 8\n", std::nullopt},
    {"RuleWithoutValue", kMark + "print\n\\hostname\\noname\\mapname\n", std::nullopt},
    {"EmptyRuleName", kMark + "print\n\\\\noname\n", std::nullopt},
    {"FragsNotANumber", kMark + "print\n\nx 40 \"Vex\"\n", std::nullopt},
    {"FragsTooLarge", kMark + "print\n\n2147483648 40 \"Vex\"\n", std::nullopt},
    {"NameUnquoted", kMark + "print\n\n3 40 Vex\n", std::nullopt},
    {"Oversized", largeReply(0, 0) + std::string(kMaxReply, 'x'), std::nullopt},
};

class StatusReplies : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusReplies, AreReadStrictly) {
    EXPECT_EQ(parseStatusReply(GetParam().datagram), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Datagrams, StatusReplies, ::testing::ValuesIn(kStatusReplies),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StatusReplies, KeepAtMost1024RulesAnd256Players) {
    const std::string reply = largeReply(2000, 300);
    ASSERT_LE(reply.size(), kMaxReply);
    const auto status = parseStatusReply(reply);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->rules.size(), 1024u);
    EXPECT_EQ(status->rules.back(), (ServerRule{"r1023", "v"}));
    EXPECT_EQ(status->players.size(), 256u);
    EXPECT_EQ(status->players.back(), (ServerPlayer{1, 2, "p255"}));
    EXPECT_EQ(playersText(*status), "256/?");
}

TEST(InfoReplies, FindAServerByItsFixedWidthLine) {
    EXPECT_EQ(parseInfoReply(kMark + "info\n        WYN test     tiny  0/ 8\n"),
              (ServerInfo{"WYN test", "tiny", 0, 8}));
    for (const auto& wrong : {kMark + "info\nnoname: wrong version\n", kMark + "info\nx q2dm1 1/\n",
                              kMark + "info\n  noname q2dm1  0/ 8", kMark + "print\n\n",
                              kMark + "info\nnoname q2dm1 0/8\nmore\n"}) {
        EXPECT_FALSE(parseInfoReply(wrong)) << wrong;
    }
}

ServerEntry entry(const char* host, int ping) {
    return {{host, kDefaultServerPort}, std::chrono::milliseconds(ping), {}};
}

std::vector<std::string> hosts(const ServerList& list) {
    std::vector<std::string> hosts;
    for (const auto& server : list.servers()) {
        hosts.push_back(server.address.host + "/" + std::to_string(server.ping.count()));
    }
    return hosts;
}

TEST(ServerList, FastestFirstOneEntryPerAddress) {
    ServerList list;
    list.merge(entry("b", 30));
    list.merge(entry("a", 10));
    list.merge(entry("c", 30));
    list.merge(entry("b", 5));
    EXPECT_EQ(hosts(list), (std::vector<std::string>{"b/5", "a/10", "c/30"}));
    EXPECT_EQ(list.find({"a", kDefaultServerPort})->ping.count(), 10);
    EXPECT_EQ(list.find({"a", 27911}), nullptr);
}

TEST(ServerList, KeepsThe256FastestServers) {
    ServerList list;
    for (int i = 0; i < 300; ++i) {
        std::string host = std::to_string(i);
        host.insert(host.begin(), 's');
        list.merge(entry(host.c_str(), 300 - i));
    }
    list.merge(entry("slow", 1000));
    ASSERT_EQ(list.servers().size(), kMaxServers);
    EXPECT_EQ(hosts(list).front(), "s299/1");
    EXPECT_EQ(hosts(list).back(), "s44/256");
}

TEST(RecentServers, MostRecentFirstEightAtMostEachOnce) {
    MemoryValueStore store;
    store.writeValue("RecentServer1", "quake.example.org");
    store.writeValue("RecentServer2", "not an address");
    store.writeValue("RecentServer3", "quake.example.org:27910");
    store.writeValue("RecentServer4", "[2001:db8::1]:27911");
    for (const char* joined : {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5",
                               "10.0.0.6", "[2001:DB8::1]:27911"}) {
        rememberServer(store, *parseServerAddress(joined));
    }
    EXPECT_EQ(store.values(), (std::map<std::string, std::string>{
                                  {"RecentServer1", "[2001:db8::1]:27911"},
                                  {"RecentServer2", "10.0.0.6:27910"},
                                  {"RecentServer3", "10.0.0.5:27910"},
                                  {"RecentServer4", "10.0.0.4:27910"},
                                  {"RecentServer5", "10.0.0.3:27910"},
                                  {"RecentServer6", "10.0.0.2:27910"},
                                  {"RecentServer7", "10.0.0.1:27910"},
                                  {"RecentServer8", "quake.example.org:27910"},
                              }));
}

}  // namespace
}  // namespace wyn
