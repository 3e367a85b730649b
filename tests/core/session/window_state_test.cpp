#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/value_store.h"
#include "persistence_fixture.h"
#include "session/session_settings.h"
#include "session/window_state.h"
#include "store/easy_reg.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;

// A store that remembers the order of the writes; optionally refuses them.
class RecordingStore : public MemoryValueStore {
public:
    Names written;
    bool refuse = false;
    bool writeValue(const std::string& name, const std::string& value) override {
        if (refuse) {
            return false;
        }
        written.push_back(name);
        return MemoryValueStore::writeValue(name, value);
    }
};

class EasyReg : public ::testing::Test {
protected:
    test::TempDir game;
    PlatformProfile profile = test::profileFor(game);
    test::FakePrompts prompts;
    SessionSettings s{profile};
    MemoryValueStore store;
    TEasyReg reg{store};

    void SetUp() override {
        game.write("quake2");
        test::fillGame(game);
        s.setDirectoryPrompt(&prompts);
        s.directoryReaction();
    }
    std::string value(const std::string& name) const { return store.readValue(name); }
};

TEST(StoredControls, EveryFieldButTheLatencyOnce) {
    const auto controls = storedControls();
    std::set<Field> seen(controls.begin(), controls.end());
    EXPECT_EQ(seen.size(), controls.size());
    EXPECT_FALSE(seen.contains(F::LagEdit));
    EXPECT_EQ(controls.front(), F::DirectoryEdit);
    EXPECT_EQ(controls.back(), F::AutoSkillCheckBox);
}

TEST_F(EasyReg, SaveAllWritesEachKindInCreationOrder) {
    RecordingStore recording;
    s.setChecked(F::ExitCheckBox, true);
    s.chooseRadio(F::CTFMapsRadio);
    s.setText(F::MaxClientsComboBox, "16");
    s.setText(F::LagEdit, "300");
    SaveControls(s, TEasyReg(recording));

    // The controls in the order the window creates them.
    const Names expected{
        "DirectoryEdit",
        "ExitCheckBox",
        "FilenameEdit",
        "ManEditCheckBox",
        "ExternalCheckBox",
        "ConfigCheckBox",
        "ConfigComboBox",
        "LogCheckBox",
        "ViewCommandLineCheckBox",
        "SaveSettingsCheckBox",
        "RandomMapCheckBox",
        "GeneralMapsRadio",
        "CTFMapsRadio",
        "ExternalMapsRadio",
        "NoHealthCheckBox",
        "NoPowerupsCheckBox",
        "WeaponsStayCheckBox",
        "NoFallingDamageCheckBox",
        "InstantItemsCheckBox",
        "ForceRespawnCheckBox",
        "SpawnFarthestCheckBox",
        "NoFriendlyFireCheckBox",
        "TeamsModelsCheckBox",
        "TeamsSkinsCheckBox",
        "SameLevelCheckBox",
        "NoArmorCheckBox",
        "AllowExitCheckBox",
        "InfiniteAmmoCheckBox",
        "QuadDropCheckBox",
        "FixedFOVCheckBox",
        "ForceJoinCheckBox",
        "ArmorProtectCheckBox",
        "NoTechCheckBox",
        "CTFAutoTeamsComboBox",
        "CaptureLimitCheckBox",
        "CaptureLimitComboBox",
        "HumanOnlyCheckBox",
        "SpecialTeamsCheckBox",
        "SpecialTeamsComboBox",
        "DedicatedCheckBox",
        "AllowCheatsCheckBox",
        "FragLimitCheckBox",
        "TimeLimitCheckBox",
        "MaxClientsComboBox",
        "TimeLimitComboBox",
        "FragLimitComboBox",
        "PlayersPerTeamComboBox",
        "YourTeamComboBox",
        "TeamplayCheckBox",
        "ViewWeaponsCheckBox",
        "ClientCommandsCheckBox",
        "BotConnectInfoCheckBox",
        "DynamicNodeCheckBox",
        "BotChatCheckBox",
        "FreeClientsComboBox",
        "BotTarzanCheckBox",
        "SpecificRadio",
        "BotNumComboBox",
        "RandomRadio",
        "BotSkillComboBox",
        "AutoSkillCheckBox",
    };
    EXPECT_EQ(recording.written, expected);
    const auto& values = recording.values();
    EXPECT_EQ(values.at("ExitCheckBox"), "-1");
    EXPECT_EQ(values.at("LogCheckBox"), "0");
    EXPECT_EQ(values.at("CTFMapsRadio"), "-1");
    EXPECT_EQ(values.at("GeneralMapsRadio"), "0");
    EXPECT_EQ(values.at("MaxClientsComboBox"), "16");
    EXPECT_EQ(values.at("FilenameEdit"), "quake2");
    EXPECT_FALSE(values.contains("LagEdit"));
}

TEST_F(EasyReg, FailedWritesAreReportedOnlyWhenAsked) {
    RecordingStore refusing;
    refusing.refuse = true;
    TEasyReg quiet(refusing);
    SaveControls(s, quiet, &prompts);
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_FALSE(quiet.WriteValue("Bots", "A"));

    TEasyReg loud(refusing);
    loud.ShowMessages = true;
    SaveControls(s, loud, &prompts);
    ASSERT_EQ(prompts.errors.size(), storedControls().size());
    EXPECT_EQ(prompts.errors.front(), "Error writing to registry. (DirectoryEdit)");
}

TEST_F(EasyReg, OnlyMinusOneChecksABox) {
    s.setChecked(F::LogCheckBox, true);
    store.writeValue("LogCheckBox", "1");  // the preset encoding
    store.writeValue("DedicatedCheckBox", "-1");
    store.writeValue("DirectoryEdit", game.str());
    RestoreControls(s, reg);
    EXPECT_FALSE(s.checked(F::LogCheckBox));
    EXPECT_TRUE(s.checked(F::DedicatedCheckBox));
    EXPECT_FALSE(s.checked(F::ViewCommandLineCheckBox));  // missing: clear
}

TEST_F(EasyReg, RestoreRunsTheReactionsInCreationOrder) {
    store.writeValue("DirectoryEdit", game.str());
    // Capture limit comes first and sets frag limit; frag limit, stored clear,
    // then clears both.
    store.writeValue("CaptureLimitCheckBox", "-1");
    // Teamplay chooses random bots; the specific radio, restored after it,
    // clears teamplay again.
    store.writeValue("TeamplayCheckBox", "-1");
    store.writeValue("SpecificRadio", "-1");
    store.writeValue("RandomRadio", "0");
    // Combo texts set by the program run no rule.
    store.writeValue("MaxClientsComboBox", "4");
    store.writeValue("CTFAutoTeamsComboBox", "3");
    RestoreControls(s, reg);
    EXPECT_FALSE(s.checked(F::CaptureLimitCheckBox));
    EXPECT_FALSE(s.checked(F::FragLimitCheckBox));
    EXPECT_FALSE(s.checked(F::TeamplayCheckBox));
    EXPECT_EQ(s.botMode(), BotMode::Specific);
    EXPECT_EQ(s.text(F::CTFAutoTeamsComboBox), "3");
}

TEST_F(EasyReg, RadioRestoredClearIsUncheckedWithoutReacting) {
    s.chooseRadio(F::CTFMapsRadio);
    ASSERT_EQ(s.teamLayout(), TeamLayout::RedBlue);
    store.writeValue("DirectoryEdit", game.str());
    store.writeValue("CTFMapsRadio", "0");
    RestoreControls(s, reg);
    EXPECT_FALSE(s.mapType().has_value());
    EXPECT_EQ(s.botMode(), BotMode::None);
    EXPECT_EQ(s.teamLayout(), TeamLayout::RedBlue);  // no map radio reaction ran
}

TEST_F(EasyReg, FlagWordFollowsTheRestoredBoxes) {
    store.writeValue("DirectoryEdit", game.str());
    RestoreControls(s, reg);
    EXPECT_EQ(s.flagWord(), "");  // no box changed, nothing computed
    store.writeValue("NoHealthCheckBox", "-1");
    store.writeValue("ForceRespawnCheckBox", "-1");
    RestoreControls(s, reg);
    EXPECT_EQ(s.flagWord(), "1025");
}

TEST_F(EasyReg, ClosingWritesExplicitValuesThenEveryControl) {
    RecordingStore recording;
    s.setBotChecked(0, true);
    s.setBotChecked(2, true);
    s.setBotTeamChecked(1, true);
    s.setCtfTeams({"Delta", "Ghost"}, {"Bravo"});
    s.setText(F::YourTeamComboBox, "Reds");
    s.selectMap(MapType::CTF, 1);
    s.setText(F::ConfigComboBox, "duel");
    recording.writeValue("LastGeneralMap", "kept");
    recording.written.clear();
    SaveWindowState(s, TEasyReg(recording));

    const Names explicitValues{"Bots",          "BotTeams",         "RedBots",
                               "BlueBots",      "YourTeamComboBox", "LastCTFMap",
                               "ConfigComboBox"};
    ASSERT_GT(recording.written.size(), explicitValues.size());
    EXPECT_EQ(Names(recording.written.begin(), recording.written.begin() + 7), explicitValues);
    EXPECT_EQ(recording.written[7], "DirectoryEdit");
    const auto& v = recording.values();
    EXPECT_EQ(v.at("Bots"), "Alpha Charlie");
    EXPECT_EQ(v.at("BotTeams"), "Blues");
    EXPECT_EQ(v.at("RedBots"), "Delta Ghost");
    EXPECT_EQ(v.at("BlueBots"), "Bravo");
    EXPECT_EQ(v.at("LastCTFMap"), "q2ctf2");
    EXPECT_EQ(v.at("LastGeneralMap"), "kept");  // no selection: the old value stays
    EXPECT_EQ(v.at("ConfigComboBox"), "duel");
}

}  // namespace
}  // namespace wyn
