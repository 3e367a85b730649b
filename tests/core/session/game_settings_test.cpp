#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "session/command_line.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;

// One session, both renderings of it: the preview after the executable path,
// and the wyn.cfg lines before and from the map (joined by "|").
struct OutputCase {
    const char* name;
    std::function<void(SessionSettings&, const test::GameDir&)> arrange;
    const char* preview;
    const char* settingLines;
    const char* mapLines;  // nullptr: no map selected, the launch stops
};

void PrintTo(const OutputCase& c, std::ostream* os) {
    *os << c.name;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += (text.empty() ? "" : "|") + line;
    }
    return text;
}

void setEveryFlag(SessionSettings& s, bool value) {
    for (const Field f : {F::TeamplayCheckBox, F::BotConnectInfoCheckBox, F::ClientCommandsCheckBox,
                          F::AutoSkillCheckBox, F::BotTarzanCheckBox, F::RandomMapCheckBox,
                          F::HumanOnlyCheckBox, F::ViewWeaponsCheckBox, F::AllowCheatsCheckBox,
                          F::DynamicNodeCheckBox, F::BotChatCheckBox, F::LogCheckBox}) {
        s.setChecked(f, value);
    }
}

void checkWithText(SessionSettings& s, Field box, Field combo, const char* text) {
    s.setChecked(box, true);
    s.setText(combo, text);
}

// A new session with map q2dm1: texts without their boxes leave it so too.
constexpr const char* kNewPreview =
    " +set game vantor +set skill 1 +set teamplay 0 +set bot_show_connect_info 0"
    " +set bot_allow_client_commands 0 +set bot_auto_skill 0 +set bot_tarzan 0"
    " +set mapmod_random 0 +set ctf_humanonly_teams 0 +set players_per_team 2"
    " +set view_weapons 0 +set cheats 0 +set bot_calc_nodes 0 +set bot_chat 0"
    " +set maxclients 2 +set logfile 0 +map q2dm1 +cmd lag 1";
constexpr const char* kNewSettingLines =
    "set skill 1|set teamplay 0|set bot_show_connect_info 0|set bot_allow_client_commands 0|"
    "set bot_auto_skill 0|set bot_tarzan 0|set mapmod_random 0|set players_per_team 2|"
    "set view_weapons 0|set cheats 0|set bot_calc_nodes 0|set bot_chat 0|set logfile 0|"
    "set maxclients 2";

const OutputCase kOutputCases[] = {
    {"NewSession", [](SessionSettings&, const test::GameDir&) {}, kNewPreview, kNewSettingLines,
     "map q2dm1|cmd lag 1"},
    {"EverySettingSet",
     [](SessionSettings& s, const test::GameDir& game) {
         game.write("baseq2/server.cfg");
         setEveryFlag(s, true);  // teamplay chooses random bots
         s.setText(F::BotNumComboBox, "6");
         s.setChecked(F::NoHealthCheckBox, true);
         s.setChecked(F::WeaponsStayCheckBox, true);
         s.setText(F::CTFAutoTeamsComboBox, "5");
         s.setText(F::FreeClientsComboBox, "3");
         s.setText(F::PlayersPerTeamComboBox, "4");
         checkWithText(s, F::TimeLimitCheckBox, F::TimeLimitComboBox, "30");
         checkWithText(s, F::FragLimitCheckBox, F::FragLimitComboBox, "20");
         checkWithText(s, F::CaptureLimitCheckBox, F::CaptureLimitComboBox, "8");
         checkWithText(s, F::SpecialTeamsCheckBox, F::SpecialTeamsComboBox, "20");
         s.setText(F::MaxClientsComboBox, "16");
         checkWithText(s, F::ConfigCheckBox, F::ConfigComboBox, "server");
         s.setText(F::LagEdit, "50");
         s.setChecked(F::DedicatedCheckBox, true);
     },
     " +set game vantor +set skill 1 +set teamplay 1 +set bot_show_connect_info 1"
     " +set bot_allow_client_commands 1 +set bot_auto_skill 1 +set bot_tarzan 1"
     " +set mapmod_random 1 +set bot_num 6 +set dmflags 5 +set ctf_auto_teams 5"
     " +set ctf_humanonly_teams 1 +set bot_free_clients 3 +set players_per_team 4"
     " +set view_weapons 1 +set cheats 1 +set bot_calc_nodes 1 +set bot_chat 1"
     " +set timelimit 30 +set fraglimit 20 +set capturelimit 8 +set ctf_special_teams  20"
     " +set maxclients 16 +set logfile 1 +map q2dm1 +exec server.cfg +cmd lag 50"
     " +set dedicated 1",
     "set skill 1|set teamplay 1|set bot_show_connect_info 1|set bot_allow_client_commands 1|"
     "set bot_auto_skill 1|set bot_tarzan 1|set mapmod_random 1|set dmflags 5|set bot_num 6|"
     "set ctf_auto_teams 5|set bot_free_clients 3|set players_per_team 4|set view_weapons 1|"
     "set cheats 1|set bot_calc_nodes 1|set bot_chat 1|set timelimit 30|set fraglimit 20|"
     "set capturelimit 8|set logfile 1|set maxclients 16",
     "map q2dm1|exec server.cfg|cmd lag 50"},
    {"EmptyAndZeroTexts",
     [](SessionSettings& s, const test::GameDir&) {
         s.chooseRadio(F::RandomRadio);
         for (const Field f : {F::BotNumComboBox, F::BotSkillComboBox, F::PlayersPerTeamComboBox,
                               F::MaxClientsComboBox, F::LagEdit}) {
             s.setText(f, "");
         }
         checkWithText(s, F::TimeLimitCheckBox, F::TimeLimitComboBox, "");
         checkWithText(s, F::FragLimitCheckBox, F::FragLimitComboBox, "");
         checkWithText(s, F::CaptureLimitCheckBox, F::CaptureLimitComboBox, "");
         checkWithText(s, F::SpecialTeamsCheckBox, F::SpecialTeamsComboBox, "");
         checkWithText(s, F::ConfigCheckBox, F::ConfigComboBox, "");
         s.setText(F::CTFAutoTeamsComboBox, "0");
         s.setText(F::FreeClientsComboBox, "0");
         s.setChecked(F::NoHealthCheckBox, true);  // a word of "0" has no item either
         s.setChecked(F::NoHealthCheckBox, false);
     },
     // Random bots keep their item even with an empty count.
     " +set game vantor +set teamplay 0 +set bot_show_connect_info 0"
     " +set bot_allow_client_commands 0 +set bot_auto_skill 0 +set bot_tarzan 0"
     " +set mapmod_random 0 +set bot_num  +set ctf_humanonly_teams 0 +set view_weapons 0"
     " +set cheats 0 +set bot_calc_nodes 0 +set bot_chat 0 +set logfile 0 +map q2dm1",
     "set teamplay 0|set bot_show_connect_info 0|set bot_allow_client_commands 0|"
     "set bot_auto_skill 0|set bot_tarzan 0|set mapmod_random 0|set view_weapons 0|"
     "set cheats 0|set bot_calc_nodes 0|set bot_chat 0|set logfile 0",
     "map q2dm1"},
    {"TextsWithoutTheirBoxesAndAMissingConfig",
     [](SessionSettings& s, const test::GameDir&) {
         s.setText(F::BotNumComboBox, "4");  // specific bots: no count
         s.setText(F::TimeLimitComboBox, "30");
         s.setText(F::FragLimitComboBox, "20");
         s.setText(F::CaptureLimitComboBox, "8");
         s.setText(F::SpecialTeamsComboBox, "20");
         checkWithText(s, F::ConfigCheckBox, F::ConfigComboBox, "mine");  // not in baseq2
     },
     kNewPreview, kNewSettingLines, "map q2dm1|exec mine.cfg|cmd lag 1"},
    {"CtfTeamsRandomBots",
     [](SessionSettings& s, const test::GameDir&) {
         s.chooseRadio(F::CTFMapsRadio);
         s.setMapItems(MapType::CTF, {"q2ctf1", "q2ctf2"});
         s.selectMap(MapType::CTF, 1);
         s.setChecked(F::TeamplayCheckBox, true);
         s.setChecked(F::HumanOnlyCheckBox, true);
         s.setText(F::BotNumComboBox, "3");
         s.setChecked(F::ForceJoinCheckBox, true);
         s.setChecked(F::DedicatedCheckBox, true);
     },
     " +set game vantor +set skill 1 +set teamplay 1 +set bot_show_connect_info 0"
     " +set bot_allow_client_commands 0 +set bot_auto_skill 0 +set bot_tarzan 0"
     " +set mapmod_random 0 +set bot_num 3 +set dmflags 131072 +set ctf_humanonly_teams 1"
     " +set players_per_team 2 +set view_weapons 0 +set cheats 0 +set bot_calc_nodes 0"
     " +set bot_chat 0 +set maxclients 2 +set logfile 0 +map q2ctf2 +cmd lag 1"
     " +set dedicated 1",
     "set skill 1|set teamplay 1|set bot_show_connect_info 0|set bot_allow_client_commands 0|"
     "set bot_auto_skill 0|set bot_tarzan 0|set mapmod_random 0|set dmflags 131072|"
     "set bot_num 3|set players_per_team 2|set view_weapons 0|set cheats 0|"
     "set bot_calc_nodes 0|set bot_chat 0|set logfile 0|set maxclients 2",
     "map q2ctf2|cmd lag 1"},
    {"NoMapAndNoBotMode",
     [](SessionSettings& s, const test::GameDir&) {
         s.chooseRadio(F::ExternalMapsRadio);  // an empty list
         s.setChecked(F::SpecificRadio, false);
         s.setText(F::BotNumComboBox, "4");
         checkWithText(s, F::ConfigCheckBox, F::ConfigComboBox, "server");
     },
     " +set game vantor +set skill 1 +set teamplay 0 +set bot_show_connect_info 0"
     " +set bot_allow_client_commands 0 +set bot_auto_skill 0 +set bot_tarzan 0"
     " +set mapmod_random 0 +set ctf_humanonly_teams 0 +set players_per_team 2"
     " +set view_weapons 0 +set cheats 0 +set bot_calc_nodes 0 +set bot_chat 0"
     " +set maxclients 2 +set logfile 0 +cmd lag 1",
     "set skill 1|set teamplay 0|set bot_show_connect_info 0|set bot_allow_client_commands 0|"
     "set bot_auto_skill 0|set bot_tarzan 0|set mapmod_random 0|set players_per_team 2|"
     "set view_weapons 0|set cheats 0|set bot_calc_nodes 0|set bot_chat 0|set logfile 0|"
     "set maxclients 2",
     nullptr},
};

class GameSettingOutputs : public ::testing::TestWithParam<OutputCase> {};

TEST_P(GameSettingOutputs, PreviewAndScriptOfOneSession) {
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    SessionSettings s(PlatformProfile::posix());
    s.setText(F::DirectoryEdit, game.str());
    s.resetToNew();
    s.selectMap(MapType::General, 0);
    GetParam().arrange(s, game);

    EXPECT_EQ(buildCommandLine(s), game.str() + "/quake2" + GetParam().preview);
    EXPECT_EQ(joined(scriptSettingLines(s)), GetParam().settingLines);
    const auto mapLines = scriptMapLines(s);
    if (GetParam().mapLines) {
        ASSERT_TRUE(mapLines.has_value());
        EXPECT_EQ(joined(*mapLines), GetParam().mapLines);
    } else {
        EXPECT_FALSE(mapLines.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, GameSettingOutputs, ::testing::ValuesIn(kOutputCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wyn
