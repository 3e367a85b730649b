#include <gtest/gtest.h>

#include "base/errors.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;
using Lines = std::string;

class LaunchTest : public ::testing::Test, protected test::LaunchSession {
protected:
    void SetUp() override {
        game.write("baseq2/pak1.pak");
        game.write(
            "vantor/bots.cfg",
            "[bots]\r\n\"Bot1\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
            "\"Bot2\" \"female/athena\" 3 3 3 5 0 0 100\r\n\"Bot3\" \"/\" 1 1 1 1 1 1 1\r\n"
            "[teams]\r\n\"Alpha\" \"ALF\" \"\" [\"Bot1\"]\r\n\"Beta\" \"B\" \"\" [\"Bot2\"]\r\n"
            "[view weapons]\r\n");
        openGame();
        s.selectMap(MapType::General, 0);
    }

    LaunchResult launch() { return Launch(s, prompts, starter); }
    std::string wynCfg() const { return game.read("vantor/wyn.cfg"); }
    std::string launcherCfg() const { return game.read("vantor/launcher.cfg"); }
};

TEST_F(LaunchTest, NewSessionWithTwoBots) {
    s.setBotChecked(0, true);
    s.setBotChecked(2, true);
    const auto result = launch();
    EXPECT_EQ(result.outcome, LaunchOutcome::Started);
    EXPECT_FALSE(result.closeWindow);
    EXPECT_EQ(wynCfg(),
              "set skill 1\r\nset teamplay 0\r\nset bot_show_connect_info 0\r\n"
              "set bot_allow_client_commands 0\r\nset bot_auto_skill 0\r\nset bot_tarzan 0\r\n"
              "set mapmod_random 0\r\nset players_per_team 2\r\nset view_weapons 0\r\n"
              "set cheats 0\r\nset bot_calc_nodes 0\r\nset bot_chat 0\r\nset logfile 0\r\n"
              "set maxclients 2\r\nmap q2dm1\r\ncmd lag 1\r\n");
    EXPECT_EQ(launcherCfg(), "sv bots Bot1 Bot3\r\n");
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0], (StartRequest{game.str() + "/quake2",
                                                 {"+set", "game", "vantor", "+exec", "wyn.cfg"},
                                                 game.str(),
                                                 true,
                                                 game.str() + "/quake2"}));
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(LaunchTest, OptionalLinesAndTheirOrder) {
    s.chooseRadio(F::RandomRadio);
    s.setText(F::BotNumComboBox, "4");
    s.setChecked(F::WeaponsStayCheckBox, true);
    s.setText(F::CTFAutoTeamsComboBox, "1", Reaction::Always);
    s.setChecked(F::TimeLimitCheckBox, true);
    s.setText(F::TimeLimitComboBox, "30");
    s.setText(F::FragLimitComboBox, "20");  // box clear: no line
    s.setChecked(F::ConfigCheckBox, true);
    s.setText(F::ConfigComboBox, "mine");  // no such file: the line is written anyway
    s.setChecked(F::DedicatedCheckBox, true);
    launch();
    EXPECT_EQ(wynCfg(),
              "set skill 1\r\nset teamplay 0\r\nset bot_show_connect_info 0\r\n"
              "set bot_allow_client_commands 0\r\nset bot_auto_skill 0\r\nset bot_tarzan 0\r\n"
              "set mapmod_random 0\r\nset dmflags 4\r\nset bot_num 4\r\nset ctf_auto_teams 1\r\n"
              "set players_per_team 2\r\nset view_weapons 0\r\nset cheats 0\r\n"
              "set bot_calc_nodes 0\r\nset bot_chat 0\r\nset timelimit 30\r\nset logfile 0\r\n"
              "set maxclients 2\r\nmap q2dm1\r\nexec mine.cfg\r\ncmd lag 1\r\n");
    EXPECT_EQ(launcherCfg(), "\r\n");  // random bots: one empty line
    EXPECT_EQ(starter.requests.at(0).arguments,
              (std::vector<std::string>{"+set", "game", "vantor", "+set", "dedicated", "1", "+exec",
                                        "wyn.cfg"}));
}

TEST_F(LaunchTest, NoMapStopsWithAnEmptyScript) {
    game.write("vantor/launcher.cfg", "previous\r\n");
    s.selectMap(MapType::General, -1);
    s.setBotChecked(0, true);
    EXPECT_EQ(launch().outcome, LaunchOutcome::Stopped);
    EXPECT_EQ(prompts.errors, std::vector<std::string>{"Please select a map to play on."});
    EXPECT_EQ(wynCfg(), "");
    EXPECT_EQ(launcherCfg(), "previous\r\n");
    EXPECT_TRUE(starter.requests.empty());
}

struct ValidationCase {
    const char* name;
    std::function<void(SessionSettings&)> arrange;
    const char* message;
};

class LaunchValidation : public LaunchTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(LaunchValidation, StopsAfterWritingTheScript) {
    GetParam().arrange(s);
    EXPECT_EQ(launch().outcome, LaunchOutcome::Stopped);
    EXPECT_EQ(prompts.errors, std::vector<std::string>{GetParam().message});
    EXPECT_NE(wynCfg(), "");
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "");
    EXPECT_TRUE(starter.requests.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, LaunchValidation,
    ::testing::Values(ValidationCase{"NoBot", [](SessionSettings&) {},
                                     "Please select at least one bot to play against."},
                      ValidationCase{"NoOwnTeam",
                                     [](SessionSettings& s) {
                                         s.setChecked(F::TeamplayCheckBox, true);
                                         s.setText(F::YourTeamComboBox, "");
                                         s.setBotTeamChecked(0, true);
                                     },
                                     "Please select a team to join."},
                      ValidationCase{"NoOpponentTeam",
                                     [](SessionSettings& s) {
                                         s.setChecked(F::TeamplayCheckBox, true);
                                         s.setText(F::YourTeamComboBox, "Alpha");
                                     },
                                     "Please select at least one team to play against."},
                      ValidationCase{"OnlyRedBots",
                                     [](SessionSettings& s) {
                                         s.chooseRadio(F::CTFMapsRadio);
                                         s.setMapItems(MapType::CTF, {"q2ctf1"});
                                         s.selectMap(MapType::CTF, 0);
                                         s.setChecked(F::TeamplayCheckBox, true);
                                         s.setCtfTeams({"Bot1"}, {});
                                     },
                                     "Please assign at least one bot to each team."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaunchTest, TeamLines) {
    s.setChecked(F::TeamplayCheckBox, true);
    s.setText(F::YourTeamComboBox, "Alpha");
    s.setBotTeamChecked(1, true);
    launch();
    EXPECT_EQ(launcherCfg(), "cmd join Alpha\r\nsv teams Beta\r\n");
}

TEST_F(LaunchTest, ExternalCtfMapGivesRedBlueLines) {
    game.write("baseq2/maps/myctf.bsp");
    s.refreshMaps();
    s.chooseRadio(F::ExternalMapsRadio);
    s.setChecked(F::TeamplayCheckBox, true);
    s.userSelectMap(MapType::External, 0);
    s.setCtfTeams({"Bot1", "Bot3"}, {"Bot2"});
    launch();
    EXPECT_EQ(launcherCfg(), "sv redbots Bot1 Bot3\r\nsv bluebots Bot2\r\n");
    EXPECT_NE(wynCfg().find("map myctf\r\n"), std::string::npos);
}

// A name with a blank is one word to the console only in double quotes; the
// preview shows the same, and so the edited line carries it.
TEST_F(LaunchTest, NamesWithBlanksAreQuoted) {
    game.write("baseq2/maps/my ctf.bsp");
    game.write("baseq2/my config.cfg");
    s.refreshMaps();
    s.chooseRadio(F::ExternalMapsRadio);
    s.selectMapByName(MapType::External, "my ctf");
    s.setChecked(F::ConfigCheckBox, true);
    s.setText(F::ConfigComboBox, "my config");
    s.setBotChecked(0, true);
    EXPECT_EQ(launch().outcome, LaunchOutcome::Started);
    EXPECT_TRUE(
        wynCfg().ends_with("set maxclients 2\r\nmap \"my ctf\"\r\nexec \"my config.cfg\"\r\n"
                           "cmd lag 1\r\n"));
    s.rebuildCommandLine();
    EXPECT_TRUE(s.commandLine().ends_with(" +map \"my ctf\" +exec \"my config.cfg\" +cmd lag 1"));
}

TEST_F(LaunchTest, ManualEditReplacesTheScript) {
    s.setChecked(F::ManEditCheckBox, true);
    s.selectMap(MapType::General, -1);  // the editor path needs no map
    s.setBotChecked(0, true);
    s.rebuildCommandLine();
    prompts.answers = {s.commandLine() + " +set extra 1"};
    EXPECT_EQ(launch().outcome, LaunchOutcome::Started);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"Command line|" + s.commandLine()});
    EXPECT_TRUE(wynCfg().starts_with("set game vantor \r\nset skill 1 \r\n"));
    EXPECT_TRUE(wynCfg().ends_with("cmd lag 1 \r\nset extra 1\r\n"));
}

TEST_F(LaunchTest, CancelledEditorLeavesAnEmptyScript) {
    game.write("vantor/wyn.cfg", "old\r\n");
    s.setChecked(F::ManEditCheckBox, true);
    prompts.answers = {std::nullopt};
    EXPECT_EQ(launch().outcome, LaunchOutcome::Cancelled);
    EXPECT_EQ(wynCfg(), "");
    EXPECT_TRUE(starter.requests.empty());
}

TEST_F(LaunchTest, FailedStartStillClosesOnLaunch) {
    s.setBotChecked(0, true);
    s.setChecked(F::ExitCheckBox, true);
    starter.result = false;
    const auto result = launch();
    EXPECT_EQ(result.outcome, LaunchOutcome::StartFailed);
    EXPECT_TRUE(result.closeWindow);
    EXPECT_EQ(prompts.errors, std::vector<std::string>{"Failed to execute Quake II"});
    // Nobody would be left to report on the game.
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_FALSE(starter.requests[0].watch);
}

TEST_F(LaunchTest, SaveOnLaunchWritesThePresetBeforeStarting) {
    s.setBotChecked(0, true);
    s.setChecked(F::SaveSettingsCheckBox, true);
    prompts.answers = {game / "game.wyn"};
    launch();
    EXPECT_EQ(s.currentPresetName(), game / "game.wyn");
    EXPECT_EQ(s.caption(), "Vantor Frontend - game.wyn");
    EXPECT_NE(game.read("game.wyn"), "");
    // No answer left: cancelled, and the launch goes on.
    EXPECT_EQ(launch().outcome, LaunchOutcome::Started);
}

TEST_F(LaunchTest, MissingAddOnDirectoryCannotBeWritten) {
    std::filesystem::remove_all(game / "vantor");
    try {
        launch();
        FAIL();
    } catch (const WynError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + game / "vantor/wyn.cfg");
    }
    EXPECT_TRUE(starter.requests.empty());
}

TEST(LaunchRequest, WindowsTexts) {
    SessionSettings s(PlatformProfile::windows());
    const auto request = startRequest(s);
    EXPECT_EQ(request.program, "c:\\quake2\\quake2.exe");
    EXPECT_EQ(request.workingDirectory, "c:\\quake2");
}

}  // namespace
}  // namespace wyn
