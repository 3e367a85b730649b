#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/errors.h"
#include "wizard/launch_wizard.h"
#include "wizard_fixture.h"

namespace wyn {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using GT = WizardGameType;

class WizardLaunchTest : public test::WizardTest {
protected:
    int mainWindowCloses = 0;

    LaunchWizard& ready(LaunchWizard& w) {
        w.OnCloseMainWindow = [this] { ++mainWindowCloses; };
        return w;
    }
    std::string wynCfg() const { return game.read("vantor/wyn.cfg"); }
    std::string launcherCfg() const { return game.read("vantor/launcher.cfg"); }
    StartRequest expectedRequest() const {
        return {game.str() + "/quake2",
                {"+set", "game", "vantor", "+exec", "wyn.cfg"},
                game.str(),
                true,
                game.str() + "/quake2"};
    }
};

TEST_F(WizardLaunchTest, DeathmatchWithSpecificBots) {
    auto& w = ready(toLaunchPage(GT::Deathmatch));
    w.next();
    EXPECT_EQ(wynCfg(),
              "set bot_show_connect_info 1\r\nset bot_allow_client_commands 1\r\n"
              "set bot_chat 1\r\nmap q2dm1\r\n");
    EXPECT_EQ(launcherCfg(), "sv bots Alpha Charlie\r\n");
    EXPECT_THAT(starter.requests, ElementsAre(expectedRequest()));
    EXPECT_THAT(prompts.errors, IsEmpty());
    // The finish is refused: the wizard stays on the launch page.
    EXPECT_EQ(w.page(), kLaunchPage);
    EXPECT_EQ(w.WizardAssistent().result(), DialogResult::Open);
    EXPECT_EQ(w.lastLaunch()->outcome, LaunchOutcome::Started);
    EXPECT_EQ(mainWindowCloses, 0);
}

TEST_F(WizardLaunchTest, AMapWithABlankIsOneWordToTheConsole) {
    s.setMapItems(MapType::General, {"my map"});
    ready(toLaunchPage(GT::Deathmatch)).next();
    EXPECT_TRUE(wynCfg().ends_with("\r\nmap \"my map\"\r\n")) << wynCfg();
}

// The wizard's answers pass the same check as the main window's values:
// nothing is written or started for one the console would read as more.
TEST_F(WizardLaunchTest, AnswersTheConsoleWouldSplitStopTheLaunch) {
    struct Case {
        const char* name;
        std::function<void(SessionSettings&)> mainWindow;  // what the wizard copies
        std::function<void(LaunchWizard&)> answer;
        const char* message;
    };
    const auto none = [](auto&) {};
    const Case cases[] = {
        {"bot count", none,
         [](LaunchWizard& w) {
             w.RandomRadioClick();
             w.setBotCount("4;quit");
         },
         "# of Bots '4;quit' cannot"},
        {"map", [](SessionSettings& m) { m.setMapItems(MapType::General, {"q2\"dm1"}); }, none,
         "map 'q2\"dm1' cannot"},
        {"bot",
         [](SessionSettings& m) {
             m.setRoster({"Vex\nquit", "B"}, {});
         },
         none, "bot 'Vex\\nquit' cannot"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        game.write("vantor/wyn.cfg", "before\r\n");
        prompts.errors.clear();
        s.setMapItems(MapType::General, {"q2dm1", "q2dm2"});
        s.setRoster({"Alpha", "Bravo", "Charlie"}, {"Red", "Blue", "Green"});
        c.mainWindow(s);
        auto& w = ready(open());
        w.next();
        w.next();
        w.selectMap(0);
        w.next();
        w.setBotChecked(0, true);
        c.answer(w);
        w.next();
        w.next();
        ASSERT_EQ(prompts.errors.size(), 1u);
        EXPECT_THAT(prompts.errors[0], ::testing::StartsWith(c.message));
        EXPECT_EQ(wynCfg(), "before\r\n");
        EXPECT_EQ(w.lastLaunch()->outcome, LaunchOutcome::Stopped);
    }
    EXPECT_THAT(starter.requests, IsEmpty());
}

TEST_F(WizardLaunchTest, CaptureTheFlagWithRandomBotsWritesAnEmptyLauncher) {
    auto& w = ready(toOpponentPage(GT::CaptureTheFlag, 2));
    w.RandomRadioClick();
    w.setBotCount("4");
    w.next();
    w.next();
    EXPECT_EQ(wynCfg(),
              "set ctf 1\r\nset bot_show_connect_info 1\r\nset bot_allow_client_commands 1\r\n"
              "set bot_num 4\r\nset bot_chat 1\r\nmap q2ctf1\r\n");
    EXPECT_EQ(launcherCfg(), "");
    EXPECT_THAT(starter.requests, ElementsAre(expectedRequest()));
}

TEST_F(WizardLaunchTest, TeamsIgnoreRandomBotsChosenOnAnEarlierVisit) {
    auto& dm = toOpponentPage(GT::Deathmatch);
    dm.RandomRadioClick();
    dm.setBotCount("7");
    dm.next();
    dm.back();
    dm.back();
    dm.back();
    dm.setGameType(GT::DeathmatchWithTeams);
    dm.next();
    dm.next();
    ASSERT_EQ(dm.page(), kTeamPage);
    dm.setPlayersPerTeam("3");
    dm.setBotTeamChecked(0, true);
    dm.setBotTeamChecked(2, true);
    dm.next();
    dm.next();
    EXPECT_EQ(wynCfg(),
              "set teamplay 1\r\nset bot_show_connect_info 1\r\nset bot_allow_client_commands 1\r\n"
              "set players_per_team 3\r\nset bot_chat 1\r\nmap q2dm1\r\n");
    EXPECT_EQ(launcherCfg(), "cmd join Red\r\nsv teams Red Green\r\n");
}

TEST_F(WizardLaunchTest, CountsAreWrittenAsTyped) {
    for (const std::string count : {"0", "a few"}) {
        auto& w = toOpponentPage(GT::Deathmatch, 4);
        w.RandomRadioClick();
        w.setBotCount(count);
        w.next();
        w.next();
        EXPECT_EQ(wynCfg(),
                  "set bot_show_connect_info 1\r\nset bot_allow_client_commands 1\r\n"
                  "set bot_num " +
                      count + "\r\nset bot_chat 1\r\nmap mymap\r\n");
    }
}

TEST_F(WizardLaunchTest, LaunchingAgainRewritesBothFilesAndStartsAgain) {
    auto& w = ready(toLaunchPage(GT::Deathmatch));
    w.next();
    game.write("vantor/wyn.cfg", "old");
    game.write("vantor/launcher.cfg", "old");
    w.next();
    EXPECT_EQ(wynCfg(),
              "set bot_show_connect_info 1\r\nset bot_allow_client_commands 1\r\n"
              "set bot_chat 1\r\nmap q2dm1\r\n");
    EXPECT_EQ(launcherCfg(), "sv bots Alpha Charlie\r\n");
    EXPECT_EQ(starter.requests.size(), 2u);
    EXPECT_EQ(w.page(), kLaunchPage);

    w.cancel();  // the scripts stay on disk
    EXPECT_TRUE(w.closed());
    EXPECT_EQ(launcherCfg(), "sv bots Alpha Charlie\r\n");
}

TEST_F(WizardLaunchTest, CloseOnLaunchClosesTheMainWindowWhetherOrNotTheGameStarted) {
    for (const bool starts : {true, false}) {
        SCOPED_TRACE(starts);
        prompts.errors.clear();
        mainWindowCloses = 0;
        starter.result = starts;
        auto& w = ready(toLaunchPage(GT::Deathmatch));
        w.setCloseOnLaunch(true);
        w.next();
        EXPECT_EQ(mainWindowCloses, 1);
        EXPECT_EQ(w.lastLaunch()->outcome,
                  starts ? LaunchOutcome::Started : LaunchOutcome::StartFailed);
        EXPECT_TRUE(w.lastLaunch()->closeWindow);
        EXPECT_FALSE(starter.requests.back().watch);
        EXPECT_EQ(prompts.errors, starts ? std::vector<std::string>{}
                                         : std::vector<std::string>{"Failed to execute Quake II"});
    }
}

TEST_F(WizardLaunchTest, FailedStartKeepsTheScriptsAndTheWizard) {
    starter.result = false;
    auto& w = ready(toLaunchPage(GT::DeathmatchWithTeams));
    w.next();
    EXPECT_THAT(prompts.errors, ElementsAre("Failed to execute Quake II"));
    EXPECT_EQ(launcherCfg(), "cmd join Blue\r\nsv teams Red Green\r\n");
    EXPECT_EQ(w.page(), kLaunchPage);
    EXPECT_EQ(mainWindowCloses, 0);
}

TEST_F(WizardLaunchTest, ScriptThatCannotBeCreatedStopsBeforeTheStart) {
    auto& w = ready(toLaunchPage(GT::Deathmatch));
    w.setCloseOnLaunch(true);
    std::filesystem::remove_all(game / "vantor");
    try {
        w.next();
        FAIL() << "no error";
    } catch (const WynError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + (game / "vantor/wyn.cfg"));
    }
    EXPECT_THAT(starter.requests, IsEmpty());
    EXPECT_EQ(mainWindowCloses, 0);
    EXPECT_EQ(w.page(), kLaunchPage);
    EXPECT_FALSE(w.lastLaunch());
    EXPECT_THAT(w.WizardAssistent().history(), ElementsAre(1, 2, 3, 4));

    // The directory is back: the same wizard launches.
    game.mkdir("vantor");
    w.next();
    EXPECT_EQ(starter.requests.size(), 1u);
}

}  // namespace
}  // namespace wyn
