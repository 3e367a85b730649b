#include <gtest/gtest.h>

#include "base/errors.h"
#include "session/session_settings.h"
#include "session_fixture.h"

namespace wyn {
namespace {

using F = Field;

class SessionRules : public ::testing::Test {
protected:
    PlatformProfile profile = PlatformProfile::windows();
    SessionSettings s{profile};

    void SetUp() override { s.resetToNew(); }
};

TEST_F(SessionRules, DesignDefaults) {
    SessionSettings fresh(profile);
    EXPECT_EQ(fresh.text(F::DirectoryEdit), "c:\\quake2");
    EXPECT_EQ(fresh.text(F::FilenameEdit), "quake2.exe");
    EXPECT_EQ(fresh.text(F::MaxClientsComboBox), "2");
    EXPECT_EQ(fresh.text(F::PlayersPerTeamComboBox), "2");
    EXPECT_EQ(fresh.text(F::BotSkillComboBox), "1");
    EXPECT_EQ(fresh.text(F::LagEdit), "1");
    EXPECT_TRUE(fresh.checked(F::ViewCommandLineCheckBox));
    EXPECT_EQ(fresh.mapType(), MapType::General);
    EXPECT_EQ(fresh.botMode(), BotMode::Specific);
    EXPECT_EQ(fresh.flagWord(), "");
    EXPECT_EQ(fresh.caption(), "Vantor Frontend");
    const auto view = fresh.viewState();
    EXPECT_FALSE(view.configComboEnabled);
    EXPECT_FALSE(view.teamControlsEnabled);
    EXPECT_TRUE(view.botsListEnabled);
    EXPECT_FALSE(view.botNumEnabled);
    EXPECT_EQ(view.mapListEnabled, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(view.teamLayout, TeamLayout::TeamChoice);
    EXPECT_EQ(view.windowHeight, 487);

    SessionSettings native(PlatformProfile::posix());
    EXPECT_EQ(native.text(F::DirectoryEdit), "/usr/local/games/quake2");
    EXPECT_EQ(native.text(F::FilenameEdit), "quake2");
}

struct ComboRuleCase {
    const char* name;
    std::vector<std::pair<Field, const char*>> before;  // set by the program
    Field changed;
    const char* typed;
    std::vector<std::pair<Field, const char*>> after;
};

class ComboRules : public SessionRules, public ::testing::WithParamInterface<ComboRuleCase> {};

TEST_P(ComboRules, UserChangeRunsTheRule) {
    const auto& c = GetParam();
    for (const auto& [field, value] : c.before) {
        s.setText(field, value);
    }
    s.setText(c.changed, c.typed, Reaction::Always);
    for (const auto& [field, value] : c.after) {
        EXPECT_EQ(s.text(field), value) << fieldInfo(field).name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ValueRules, ComboRules,
    ::testing::Values(
        ComboRuleCase{"AutoTeamsRaisesMaxClients",
                      {{F::MaxClientsComboBox, "8"}, {F::FreeClientsComboBox, "3"}},
                      F::CTFAutoTeamsComboBox,
                      "5",
                      {{F::MaxClientsComboBox, "10"}, {F::FreeClientsComboBox, "0"}}},
        ComboRuleCase{"MaxClientsLowersAutoTeams",
                      {{F::CTFAutoTeamsComboBox, "3"}},
                      F::MaxClientsComboBox,
                      "4",
                      {{F::CTFAutoTeamsComboBox, "2"}}},
        ComboRuleCase{"MaxClientsHalfDropsFraction",
                      {{F::CTFAutoTeamsComboBox, "3"}},
                      F::MaxClientsComboBox,
                      "5",
                      {{F::CTFAutoTeamsComboBox, "2"}}},
        ComboRuleCase{"EmptyMaxClientsBecomesZero",
                      {},
                      F::MaxClientsComboBox,
                      "",
                      {{F::MaxClientsComboBox, "0"}}},
        ComboRuleCase{"PlayersPerTeamFillsEmptyMaxClients",
                      {{F::MaxClientsComboBox, ""}},
                      F::PlayersPerTeamComboBox,
                      "7",
                      {{F::MaxClientsComboBox, "2"}, {F::PlayersPerTeamComboBox, "7"}}},
        ComboRuleCase{"PlayersPerTeamChecksAutoTeams",
                      {{F::MaxClientsComboBox, "4"}, {F::CTFAutoTeamsComboBox, "5"}},
                      F::PlayersPerTeamComboBox,
                      "3",
                      {{F::CTFAutoTeamsComboBox, "2"}}},
        ComboRuleCase{"FreeClientsAlwaysResetsAutoTeams",
                      {{F::CTFAutoTeamsComboBox, "4"}},
                      F::FreeClientsComboBox,
                      "0",
                      {{F::CTFAutoTeamsComboBox, "0"}}},
        ComboRuleCase{"EmptyAutoTeamsBecomesZero",
                      {{F::FreeClientsComboBox, "5"}},
                      F::CTFAutoTeamsComboBox,
                      "",
                      {{F::CTFAutoTeamsComboBox, "0"}, {F::FreeClientsComboBox, "5"}}},
        ComboRuleCase{"AutoTeamsFillsEmptyMaxClientsFirst",
                      {{F::MaxClientsComboBox, ""}},
                      F::CTFAutoTeamsComboBox,
                      "1",
                      {{F::MaxClientsComboBox, "2"}}},
        ComboRuleCase{"SpecialTeamsRaisesMaxClients",
                      {{F::MaxClientsComboBox, "16"}},
                      F::SpecialTeamsComboBox,
                      "30",
                      {{F::MaxClientsComboBox, "30"}}},
        ComboRuleCase{"EmptySpecialTeamsBecomesZero",
                      {{F::MaxClientsComboBox, "16"}},
                      F::SpecialTeamsComboBox,
                      "",
                      {{F::SpecialTeamsComboBox, "0"}, {F::MaxClientsComboBox, "16"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionRules, ProgramChangesOfComboTextsRunNothing) {
    s.setText(F::CTFAutoTeamsComboBox, "3");
    s.setText(F::MaxClientsComboBox, "4");
    EXPECT_EQ(s.text(F::CTFAutoTeamsComboBox), "3");
    const auto line = s.commandLine();
    s.setText(F::BotSkillComboBox, "3");
    EXPECT_EQ(s.commandLine(), line);  // no rebuild either
}

TEST_F(SessionRules, IntegerErrorStopsTheRuleAndKeepsEarlierChanges) {
    s.setText(F::MaxClientsComboBox, "");
    const auto line = s.commandLine();
    try {
        s.setText(F::CTFAutoTeamsComboBox, "abc", Reaction::Always);
        FAIL();
    } catch (const WynError& e) {
        EXPECT_EQ(std::string(e.what()), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(s.text(F::CTFAutoTeamsComboBox), "abc");
    EXPECT_EQ(s.text(F::MaxClientsComboBox), "2");  // made before the failing read
    EXPECT_EQ(s.commandLine(), line);               // the rebuild was skipped
}

TEST_F(SessionRules, LimitBoxesTieFragAndCapture) {
    s.setChecked(F::CaptureLimitCheckBox, true);
    EXPECT_TRUE(s.checked(F::FragLimitCheckBox));
    EXPECT_TRUE(s.viewState().fragLimitComboEnabled);
    EXPECT_TRUE(s.viewState().captureLimitComboEnabled);
    s.setChecked(F::CaptureLimitCheckBox, false);
    EXPECT_TRUE(s.checked(F::FragLimitCheckBox));
    s.setChecked(F::CaptureLimitCheckBox, true);
    s.setChecked(F::FragLimitCheckBox, false);
    EXPECT_FALSE(s.checked(F::CaptureLimitCheckBox));
}

TEST_F(SessionRules, TeamplayAndSpecificBotsExcludeEachOther) {
    s.setChecked(F::TeamplayCheckBox, true);
    EXPECT_EQ(s.botMode(), BotMode::Random);
    s.setChecked(F::TeamplayCheckBox, false);
    EXPECT_EQ(s.botMode(), BotMode::Random);

    s.setChecked(F::TeamplayCheckBox, true);
    s.chooseRadio(F::SpecificRadio);
    EXPECT_FALSE(s.checked(F::TeamplayCheckBox));
    EXPECT_EQ(s.botMode(), BotMode::Specific);
    EXPECT_FALSE(s.viewState().botNumEnabled);
    EXPECT_TRUE(s.viewState().botsListEnabled);
}

TEST_F(SessionRules, TeamplayPanelFollowsMapType) {
    s.setRoster({"A", "B"}, {"Red", "Blue"});
    s.chooseRadio(F::CTFMapsRadio);
    s.setChecked(F::TeamplayCheckBox, true);
    EXPECT_EQ(s.teamLayout(), TeamLayout::RedBlue);
    EXPECT_TRUE(s.viewState().teamControlsEnabled);
    s.setChecked(F::TeamplayCheckBox, false);
    EXPECT_EQ(s.teamLayout(), TeamLayout::RedBlue);
    EXPECT_FALSE(s.viewState().teamControlsEnabled);
    EXPECT_EQ(s.botMode(), BotMode::Random);

    s.setChecked(F::TeamplayCheckBox, true);
    s.setBotTeamsCurrent(-1);
    s.chooseRadio(F::GeneralMapsRadio);
    EXPECT_EQ(s.teamLayout(), TeamLayout::TeamChoice);
    EXPECT_TRUE(s.viewState().teamControlsEnabled);
    EXPECT_EQ(s.botTeams().current(), 0);
}

TEST_F(SessionRules, FlagWordSumsTheBoxes) {
    s.setChecked(F::WeaponsStayCheckBox, true);
    s.setChecked(F::ForceRespawnCheckBox, true);
    s.setChecked(F::NoHealthCheckBox, true);
    EXPECT_EQ(s.flagWord(), "1029");
    for (const auto& bit : flagBits()) {
        s.setChecked(bit.field, true);
    }
    EXPECT_EQ(s.flagWord(), "983039");
    for (const auto& bit : flagBits()) {
        s.setChecked(bit.field, false);
    }
    EXPECT_EQ(s.flagWord(), "0");
    s.setChecked(F::TeamsSkinsCheckBox, true);
    s.setChecked(F::TeamsModelsCheckBox, true);
    EXPECT_EQ(s.flagWord(), "192");
}

TEST_F(SessionRules, FileNewResetsEverythingButDirectoryAndCtfTeams) {
    const std::string directory = s.gameDirectory();
    s.setCtfTeams({"A"}, {"B"});
    s.setChecked(F::TeamplayCheckBox, true);
    s.setChecked(F::SaveSettingsCheckBox, true);
    s.setText(F::MaxClientsComboBox, "64");
    s.setChecked(F::AutoSkillCheckBox, true);
    s.setText(F::LagEdit, "300");
    s.setCurrentPresetName("c:\\x.wyn");
    s.showPresetInCaption("c:\\x.wyn");
    s.resetToNew();
    EXPECT_FALSE(s.checked(F::TeamplayCheckBox));
    EXPECT_EQ(s.botMode(), BotMode::Specific);
    EXPECT_EQ(s.text(F::DirectoryEdit), directory);
    EXPECT_TRUE(s.checked(F::SaveSettingsCheckBox));
    EXPECT_EQ(s.redList().items(), std::vector<std::string>{"A"});
    EXPECT_EQ(s.blueList().items(), std::vector<std::string>{"B"});
    EXPECT_EQ(s.text(F::MaxClientsComboBox), "2");
    EXPECT_EQ(s.text(F::LagEdit), "1");
    EXPECT_FALSE(s.checked(F::AutoSkillCheckBox));
    EXPECT_EQ(s.currentPresetName(), "");
    EXPECT_EQ(s.caption(), "Vantor Frontend");
}

TEST_F(SessionRules, FileNewSelectsFirstEntriesOnlyWhereSelected) {
    s.setRoster({"A", "B"}, {"Red", "Blue"});
    s.setText(F::YourTeamComboBox, "blue");
    s.setBotChecked(1, true);
    s.resetToNew();
    EXPECT_EQ(s.text(F::YourTeamComboBox), "Red");
    EXPECT_EQ(s.bots().checkedNames(), std::vector<std::string>{});
    EXPECT_EQ(s.bots().current(), 0);
    s.setText(F::YourTeamComboBox, "Green");
    s.resetToNew();
    EXPECT_EQ(s.text(F::YourTeamComboBox), "Green");
}

TEST_F(SessionRules, RepairFillsEmptyFieldsWithStartUpValues) {
    for (const auto& info : allFields()) {
        if (!isBoolean(info.field)) {
            s.setText(info.field, "");
        } else {
            s.setChecked(info.field, false);
        }
    }
    s.repairAfterRestore();
    EXPECT_EQ(s.text(F::MaxClientsComboBox), "24");
    EXPECT_EQ(s.text(F::BotSkillComboBox), "0");
    EXPECT_EQ(s.text(F::PlayersPerTeamComboBox), "4");
    EXPECT_EQ(s.text(F::DirectoryEdit), "c:\\quake2");
    EXPECT_EQ(s.text(F::FilenameEdit), "quake2.exe");
    EXPECT_EQ(s.text(F::LagEdit), "");  // the latency has no repair
    EXPECT_EQ(s.botMode(), BotMode::Random);
    EXPECT_EQ(s.mapType(), MapType::General);
}

TEST_F(SessionRules, RepairClearsFreeClientsWhenAutoTeamsIsSet) {
    s.setText(F::CTFAutoTeamsComboBox, "4");
    s.setText(F::FreeClientsComboBox, "5");
    s.repairAfterRestore();
    EXPECT_EQ(s.text(F::FreeClientsComboBox), "0");
}

TEST_F(SessionRules, RadiosReactOnlyWhenChosen) {
    s.setChecked(F::SpecificRadio, false);
    EXPECT_EQ(s.botMode(), BotMode::None);
    s.setChecked(F::RandomRadio, true);
    EXPECT_EQ(s.botMode(), BotMode::Random);
    EXPECT_FALSE(s.checked(F::SpecificRadio));
    s.setChecked(F::GeneralMapsRadio, false);
    EXPECT_EQ(s.mapType(), std::nullopt);
}

TEST_F(SessionRules, CtfMovesInsertBeforeTheSelection) {
    s.setRoster({"A", "B", "C", "D"}, {});
    s.setCtfTeams({"X"}, {});
    s.fillAvailable();
    EXPECT_EQ(s.availableList().items(), (std::vector<std::string>{"A", "B", "C", "D"}));
    s.addRed();  // nothing selected: nothing moves
    EXPECT_EQ(s.redList().items(), std::vector<std::string>{"X"});
    s.selectAvailable(1);
    s.addRed();  // appended
    s.selectRed(0);
    s.selectAvailable(1);
    s.addRed();  // before X
    EXPECT_EQ(s.redList().items(), (std::vector<std::string>{"C", "X", "B"}));
    EXPECT_EQ(s.availableList().items(), (std::vector<std::string>{"A", "D"}));
    s.selectRed(2);
    s.removeRed();
    EXPECT_EQ(s.availableList().items(), (std::vector<std::string>{"A", "D", "B"}));
    s.selectAvailable(0);
    s.addBlue();
    EXPECT_EQ(s.blueList().items(), std::vector<std::string>{"A"});
}

TEST_F(SessionRules, AvailableSkipsTeamMembersIgnoringCase) {
    s.setRoster({"Alpha", "Beta", "Gamma"}, {});
    s.setCtfTeams({"beta", "Removed"}, {"GAMMA"});
    s.fillAvailable();
    EXPECT_EQ(s.availableList().items(), std::vector<std::string>{"Alpha"});
}

TEST_F(SessionRules, ViewRules) {
    s.setChecked(F::ExternalCheckBox, true);
    auto view = s.viewState();
    EXPECT_FALSE(view.previewPanelShown);
    EXPECT_TRUE(view.externalWindowShown);
    EXPECT_EQ(view.windowHeight, 390);
    s.setChecked(F::ViewCommandLineCheckBox, false);
    view = s.viewState();
    EXPECT_FALSE(view.previewPanelShown);
    EXPECT_FALSE(view.externalWindowShown);
    EXPECT_FALSE(view.externalCheckEnabled);
    EXPECT_TRUE(s.checked(F::ExternalCheckBox));  // disabled, not cleared
}

TEST_F(SessionRules, ObserverHearsOncePerOuterChange) {
    int calls = 0;
    s.setChecked(F::TeamplayCheckBox, true);  // so that File > New changes something
    auto connection = s.onChange([&](const SessionChange&) { ++calls; });
    s.resetToNew();
    EXPECT_EQ(calls, 1);
    EXPECT_THROW(s.setText(F::MaxClientsComboBox, "x", Reaction::Always), WynError);
    EXPECT_EQ(calls, 2);  // the text changed before the rule failed
    s.resetToNew();
    s.setText(F::MaxClientsComboBox, "2");  // as it is: no change to tell
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace wyn
