#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "base/value_store.h"
#include "fake_elf.h"
#include "session/join.h"
#include "session/session_settings.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;

// A game directory holding made-up Yamagi Quake II programs: its game and its
// dedicated server, and Q2PRO's dedicated server.
class Joining : public ::testing::Test {
protected:
    test::TempDir temp;
    std::string game = temp.mkdir("game");
    test::FakePrompts prompts;
    test::FakeStarter starter;
    MemoryValueStore store;
    std::unique_ptr<SessionSettings> s;

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
    }

    LaunchResult join(const std::string& program, std::string_view address) {
        s->setText(F::FilenameEdit, program);
        return Join(*s, address, prompts, starter, &store);
    }
};

TEST_F(Joining, StartsTheGameConnectingAndWritesNoScript) {
    EXPECT_EQ(join("quake2", " 10.0.0.7 ").outcome, LaunchOutcome::Started);
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0],
              (StartRequest{game + "/quake2",
                            {"+set", "game", "vantor", "+connect", "10.0.0.7:27910"},
                            game,
                            true}));
    EXPECT_FALSE(std::filesystem::exists(game + "/vantor"));
    EXPECT_EQ(store.readValue("RecentServer1"), "10.0.0.7:27910");
}

TEST_F(Joining, ADedicatedServerOrAnAddressThatIsNoneStopsIt) {
    for (const auto& [program, address, message] : std::vector<std::array<std::string, 3>>{
             {"q2ded", "10.0.0.7",
              "'q2ded' is a dedicated server: it cannot join a game. Please choose the game's "
              "own program as the executable."},
             {"q2proded", "10.0.0.7",
              "'q2proded' is a dedicated server: it cannot join a game. Please choose the "
              "game's own program as the executable."},
             {"quake2", "10.0.0.7;quit",
              "'10.0.0.7;quit' is not a server address: a host name is made of letters, "
              "digits, '-' and '_' between dots."},
         }) {
        prompts.errors.clear();
        EXPECT_EQ(join(program, address).outcome, LaunchOutcome::Stopped);
        EXPECT_EQ(prompts.errors, Names{message});
    }
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_TRUE(store.values().empty());
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

}  // namespace
}  // namespace wyn
