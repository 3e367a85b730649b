#include <gtest/gtest.h>

#include <filesystem>

#include "base/value_store.h"
#include "fake_elf.h"
#include "fake_server_asker.h"
#include "session/hosted_server.h"
#include "session/join.h"
#include "session/join_game.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using namespace std::chrono_literals;
using F = Field;
using Names = std::vector<std::string>;
using Cells = std::array<std::string, 5>;

const ServerAddress kRecent1{"10.0.0.7", 27910};
const ServerAddress kRecent2{"q2.example.org", 27911};
const ServerAddress kLan{"192.168.1.30", 27912};

ServerEntry entry(const ServerAddress& address, int ping, const std::string& name,
                  const std::string& game = "vantor") {
    return {address,
            std::chrono::milliseconds(ping),
            {{{"hostname", name}, {"mapname", "q2dm1"}, {"maxclients", "8"}, {"game", game}},
             {{1, 2, "Vex"}}}};
}

ServerAnswers answers(std::vector<ServerEntry> entries, Names problems = {}) {
    ServerAnswers result;
    for (auto& server : entries) {
        result.servers.merge(std::move(server));
    }
    result.problems = std::move(problems);
    return result;
}

// A game directory with made-up programs, Yamagi Quake II's game and
// dedicated server and Q2PRO's dedicated server, and two servers joined
// before.
class JoiningGame : public ::testing::Test {
protected:
    test::TempDir temp;
    std::string game = temp.mkdir("game");
    test::FakePrompts prompts;
    test::FakeStarter starter;
    test::FakeServerAsker asker;
    MemoryValueStore store;
    std::unique_ptr<SessionSettings> s;
    std::unique_ptr<JoinGame> join;

    void SetUp() override {
        temp.mkdir("game/baseq2");
        for (const char* program : {"game/quake2", "game/q2ded", "game/q2proded"}) {
            const bool q2pro = std::string_view(program).ends_with("q2proded");
            const auto path = temp.write(
                program, test::fakeElf({.strings = {q2pro ? "====== Q2PRO initialized ======"
                                                          : "Yamagi Quake II v%s"}}));
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        }
        s = std::make_unique<SessionSettings>(PlatformProfile::posix());
        s->setDirectoryPrompt(&prompts);
        s->setText(F::DirectoryEdit, game);
        s->resetToNew();
        s->setText(F::FilenameEdit, "quake2");
        store.writeValue("RecentServer1", "10.0.0.7");
        store.writeValue("RecentServer2", "q2.example.org:27911");
        join = std::make_unique<JoinGame>(*s, store, asker, prompts, starter, 1500ms);
        join->open();
    }

    std::vector<Cells> cells() const {
        std::vector<Cells> rows;
        for (std::size_t i = 0; i < join->rows().size(); ++i) {
            rows.push_back(join->cells(i));
        }
        return rows;
    }
};

// The servers joined before come first, in their order, each showing its
// answer; then those found on the local network, fastest first.
TEST_F(JoiningGame, ListsTheServersJoinedBeforeThenThoseFoundOnTheLocalNetwork) {
    ASSERT_EQ(asker.queries.size(), 1u);
    EXPECT_EQ(asker.queries[0].servers, (std::vector<ServerAddress>{kRecent1, kRecent2}));
    EXPECT_FALSE(asker.queries[0].localNetwork);
    EXPECT_EQ(cells(), (std::vector<Cells>{{"10.0.0.7:27910"}, {"q2.example.org:27911"}}));
    asker.answer(answers({entry(kRecent2, 40, "Far away")}));
    EXPECT_EQ(cells(),
              (std::vector<Cells>{{"10.0.0.7:27910"},
                                  {"q2.example.org:27911", "Far away", "q2dm1", "1/8", "40"}}));

    join->findLanGames();
    EXPECT_FALSE(join->findEnabled());
    EXPECT_EQ(join->stateText(), "Searching the local network...");
    ASSERT_EQ(asker.queries.size(), 2u);
    EXPECT_TRUE(asker.queries[1].localNetwork);
    EXPECT_EQ(asker.queries[1].servers, (std::vector<ServerAddress>{kRecent1, kRecent2}));
    const ServerAddress faster{"192.168.1.31", 27910};
    asker.answer(answers(
        {entry(kLan, 9, "LAN party"), entry(kRecent1, 3, "Home"), entry(faster, 2, "Next door")}));
    EXPECT_TRUE(join->findEnabled());
    EXPECT_EQ(join->stateText(), "");
    EXPECT_EQ(cells(),
              (std::vector<Cells>{{"10.0.0.7:27910", "Home", "q2dm1", "1/8", "3"},
                                  {"q2.example.org:27911"},
                                  {"192.168.1.31:27910", "Next door", "q2dm1", "1/8", "2"},
                                  {"192.168.1.30:27912", "LAN party", "q2dm1", "1/8", "9"}}));

    join->findLanGames();
    asker.answer(answers({}));
    EXPECT_EQ(join->stateText(), "No games found on the local network.");
}

// A row chosen fills the address in; the row of the address typed is the
// one chosen.
TEST_F(JoiningGame, ChoosingARowFillsTheAddressIn) {
    join->chooseRow(1);
    EXPECT_EQ(join->addressText(), "q2.example.org:27911");
    EXPECT_EQ(join->selectedRow(), 1u);
    join->setAddressText("10.0.0.7");
    EXPECT_EQ(join->selectedRow(), 0u);
    join->setAddressText("10.0.0.8");
    EXPECT_EQ(join->selectedRow(), std::nullopt);
}

// With Close on Launch the game is not watched and the main window closes too.
TEST_F(JoiningGame, AServerRunningTheAddOnIsJoinedAtOnceAndRemembered) {
    s->setChecked(F::ExitCheckBox, true);
    join->setAddressText("192.168.1.30:27912");
    join->join();
    EXPECT_FALSE(join->joinEnabled());
    EXPECT_EQ(join->stateText(), "Asking 192.168.1.30:27912...");
    EXPECT_EQ(asker.queries.at(1).servers, std::vector<ServerAddress>{kLan});
    EXPECT_TRUE(starter.requests.empty());

    asker.answer(answers({entry(kLan, 5, "LAN party")}));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(
        starter.requests,
        (std::vector<StartRequest>{{game + "/quake2",
                                    {"+set", "game", "vantor", "+connect", "192.168.1.30:27912"},
                                    game,
                                    false}}));
    EXPECT_EQ(join->result(), DialogResult::Ok);
    EXPECT_TRUE(join->closesMainWindow());
    EXPECT_EQ(store.readValue("RecentServer1"), "192.168.1.30:27912");
    EXPECT_EQ(store.readValue("RecentServer2"), "10.0.0.7:27910");
}

// A silent server, or one without the add-on, is said plainly; the player
// may join all the same. Why a server was not asked comes first.
TEST_F(JoiningGame, ASilentServerOrAnotherGameIsToldAndJoinedOnYes) {
    struct Case {
        ServerAnswers answers;
        std::string question;
    };
    const Case cases[] = {
        {answers({}), "Join anyway|No answer from 10.0.0.7:27910."},
        {answers({}, {"Cannot find the server 10.0.0.7."}),
         "Join anyway|Cannot find the server 10.0.0.7.\nNo answer from 10.0.0.7:27910."},
    };
    for (const auto& c : cases) {
        prompts.questions.clear();
        join->setAddressText("10.0.0.7");
        join->join();
        asker.answer(c.answers);
        EXPECT_EQ(prompts.questions, Names{c.question});
        EXPECT_TRUE(starter.requests.empty());
        EXPECT_EQ(join->result(), DialogResult::Open);
        EXPECT_TRUE(join->joinEnabled());
    }
    prompts.answers.push_back("yes");
    join->join();
    asker.answer(answers({}));
    EXPECT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(join->result(), DialogResult::Ok);
}

// Nothing is sent and nothing started for an address that is none or a
// program without a client, whether Join Game or Join itself is asked.
TEST_F(JoiningGame, NoAddressOrADedicatedServerStopsItBeforeAnythingIsSent) {
    const Names messages{
        "'10.0.0.7;quit' is not a server address: a host name is made of letters, digits, '-' "
        "and '_' between dots.",
        "'q2ded' is a dedicated server: it cannot join a game. Please choose the game's own "
        "program as the executable.",
        "'q2proded' is a dedicated server: it cannot join a game. Please choose the game's own "
        "program as the executable."};
    for (const auto& [program, address] : std::vector<std::pair<std::string, std::string>>{
             {"quake2", "10.0.0.7;quit"}, {"q2ded", "10.0.0.7"}, {"q2proded", "10.0.0.7"}}) {
        s->setText(F::FilenameEdit, program);
        join->setAddressText(address);
        join->join();
        EXPECT_EQ(Join(*s, address, prompts, starter, &store).outcome, LaunchOutcome::Stopped);
    }
    EXPECT_EQ(prompts.errors, (Names{messages[0], messages[0], messages[1], messages[1],
                                     messages[2], messages[2]}));
    EXPECT_EQ(asker.queries.size(), 1u);  // the servers joined before, at the opening
    EXPECT_TRUE(join->joinEnabled());
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_EQ(store.values().size(), 2u);  // the servers joined before
}

// Join itself, as wynctl asks it: the game is started connecting, and no
// script is written.
TEST_F(JoiningGame, JoinStartsTheGameConnectingAndWritesNoScript) {
    EXPECT_EQ(Join(*s, " 10.0.0.9 ", prompts, starter, &store).outcome, LaunchOutcome::Started);
    EXPECT_EQ(starter.requests,
              (std::vector<StartRequest>{{game + "/quake2",
                                          {"+set", "game", "vantor", "+connect", "10.0.0.9:27910"},
                                          game,
                                          true}}));
    EXPECT_FALSE(std::filesystem::exists(game + "/vantor"));
    EXPECT_EQ(store.readValue("RecentServer1"), "10.0.0.9:27910");
}

TEST(JoinWarning, SaysWhenTheServerIsSilentOrRunsAnotherGame) {
    const ServerAddress address{"10.0.0.7", 27910};
    EXPECT_EQ(joinWarning(address, nullptr), "No answer from 10.0.0.7:27910.");
    for (const auto& [game, warning] : std::vector<std::pair<std::string, std::string>>{
             {"vantor", ""},
             {"Vantor", ""},
             {"ctf", "10.0.0.7:27910 does not run the Vantor add-on: its game is \"ctf\"."},
             {"", "10.0.0.7:27910 does not run the Vantor add-on: it runs the base game."},
         }) {
        const ServerEntry answer{address, {}, {{{"hostname", "x"}, {"game", game}}, {}}};
        EXPECT_EQ(joinWarning(address, &answer).value_or(""), warning) << game;
    }
}

TEST_F(JoiningGame, CancelWhileAskingDropsTheAnswer) {
    join->setAddressText("10.0.0.7");
    join->join();
    join->cancel();
    EXPECT_EQ(join->result(), DialogResult::Cancel);
    EXPECT_FALSE(asker.answer(answers({entry(kRecent1, 5, "Home")})));
    EXPECT_FALSE(asker.answer(0, answers({})));
    EXPECT_TRUE(starter.requests.empty());
}

TEST(ConsolePort, TheLastPortSetCounts) {
    const std::pair<Names, int> cases[] = {
        {{}, 27910},
        {{"port 27912"}, 27912},
        {{"SET PORT \"27913\" s"}, 27913},
        {{"set game vantor; set port 27914; map q2dm1"}, 27914},
        {{"set port 27911", "set port 0", "set port +5", "set port 65536"}, 27911},
        {{"set ports 27911", "set port"}, 27910},
    };
    for (const auto& [lines, port] : cases) {
        EXPECT_EQ(consolePort(lines), port) << (lines.empty() ? "" : lines.back());
    }
}

// Every launch hosts a server at the session's port, which its wyn.cfg sets
// after the command line; a join hosts none.
TEST_F(JoiningGame, ALaunchHostsAServerAndAJoinDoesNot) {
    const std::vector<std::string> launch{"+set", "game", "vantor", "+exec", "wyn.cfg"};
    const std::vector<std::string> dedicated{"+set", "game",  "vantor", "+set",
                                             "port", "27920", "+set",   "dedicated",
                                             "1",    "+exec", "wyn.cfg"};
    EXPECT_EQ(hostedServer(*s, {"quake2", launch, game}),
              (HostedServer{{"127.0.0.1", 27910}, false}));
    EXPECT_EQ(hostedServer(*s, {"quake2", dedicated, game}),
              (HostedServer{{"127.0.0.1", 27920}, true}));
    EXPECT_EQ(
        hostedServer(*s, {"quake2", {"+set", "game", "vantor", "+connect", "10.0.0.7"}, game}),
        std::nullopt);
    temp.write("game/vantor/wyn.cfg", "set deathmatch 1\r\nset port 27921\r\nmap q2dm1\r\n");
    EXPECT_EQ(hostedServer(*s, {"quake2", dedicated, game}),
              (HostedServer{{"127.0.0.1", 27921}, true}));
    EXPECT_EQ(sessionServerPort(*s), 27921);
}

}  // namespace
}  // namespace wyn
