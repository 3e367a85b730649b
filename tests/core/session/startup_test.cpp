#include <gtest/gtest.h>

#include "session/window_state.h"

#include <filesystem>

#include "base/text_file.h"
#include "base/value_store.h"
#include "persistence_fixture.h"
#include "session/preset_file.h"
#include "session/session_settings.h"
#include "session/startup.h"
#include "store/easy_reg.h"
#include "store/recent_files.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;

class Startup : public ::testing::Test {
protected:
    test::TempDir game;
    PlatformProfile profile = test::profileFor(game);
    test::FakePrompts prompts;
    test::FakeStarter starter;
    MemoryValueStore store;
    RecentFiles recent;

    void SetUp() override {
        game.write("quake2");
        test::fillGame(game);
    }

    // A session as the window creates it: design defaults, the window's prompt.
    std::unique_ptr<SessionSettings> newSession() {
        auto session = std::make_unique<SessionSettings>(profile);
        session->setDirectoryPrompt(&prompts);
        return session;
    }

    // Creates and shows the main window on the store; returns its session.
    std::unique_ptr<SessionSettings> start(const Names& arguments = {}) {
        auto session = newSession();
        MainWindowLife life(*session, store, recent, prompts);
        life.create(game.str());
        life.show();
        m_outcome = life.openArguments(arguments, starter);
        return session;
    }

    // The store as a closed window left it, with the game directory set.
    void storeDirectory() { store.writeValue("DirectoryEdit", game.str()); }

    ArgumentsOutcome m_outcome;
};

TEST_F(Startup, FirstRunWithAnEmptyStore) {
    const auto s = start();
    EXPECT_TRUE(prompts.errors.empty());      // the game is where the window starts
    ASSERT_FALSE(prompts.questions.empty());  // the restore emptied the directory
    EXPECT_EQ(prompts.questions.front(),
              "Please locate your Quake II directory|Quake II Directory|" + game.str());
    EXPECT_EQ(s->gameDirectory(), game.str());
    EXPECT_EQ(s->text(F::FilenameEdit), "quake2");
    for (const auto& info : allFields()) {
        if (info.kind == FieldKind::CheckBox) {
            EXPECT_FALSE(s->checked(info.field)) << info.name;
        }
    }
    EXPECT_EQ(s->botMode(), BotMode::Random);
    EXPECT_EQ(s->mapType(), MapType::General);
    EXPECT_EQ(s->mapList(MapType::General).selection(), "base1");
    EXPECT_EQ(s->mapList(MapType::CTF).selection(), "q2ctf1");
    EXPECT_EQ(s->mapList(MapType::External).selection(), "mine");
    EXPECT_EQ(s->text(F::MaxClientsComboBox), "24");
    EXPECT_EQ(s->text(F::PlayersPerTeamComboBox), "4");
    EXPECT_EQ(s->text(F::BotSkillComboBox), "0");
    EXPECT_EQ(s->text(F::YourTeamComboBox), "Reds");
    EXPECT_EQ(s->text(F::LagEdit), "1");
    EXPECT_NE(s->commandLine().find("+map base1"), std::string::npos);
    EXPECT_TRUE(prompts.failures.empty());
}

struct EmptyRepair {
    const char* name;
    const char* field;
    const char* stored;
    const char* expected;
};

class StartupRepairs : public Startup, public ::testing::WithParamInterface<EmptyRepair> {};

TEST_P(StartupRepairs, StoredTextBecomesItsStartUpValue) {
    storeDirectory();
    store.writeValue("FilenameEdit", "quake2");
    store.writeValue(GetParam().field, GetParam().stored);
    const auto s = start();
    EXPECT_EQ(s->text(*fieldByName(GetParam().field)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EmptyFields, StartupRepairs,
    ::testing::Values(EmptyRepair{"MaxClients", "MaxClientsComboBox", "", "24"},
                      EmptyRepair{"BotSkill", "BotSkillComboBox", "", "0"},
                      EmptyRepair{"PlayersPerTeam", "PlayersPerTeamComboBox", "", "4"},
                      EmptyRepair{"CTFAutoTeams", "CTFAutoTeamsComboBox", "", "0"},
                      EmptyRepair{"SpecialTeams", "SpecialTeamsComboBox", "", "0"},
                      EmptyRepair{"CaptureLimit", "CaptureLimitComboBox", "", "0"},
                      EmptyRepair{"MaxClientsNotEmptyStays", "MaxClientsComboBox", "12", "12"},
                      EmptyRepair{"Filename", "FilenameEdit", "", "quake2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, AutoTeamsClearFreeClients) {
    storeDirectory();
    store.writeValue("CTFAutoTeamsComboBox", "3");
    store.writeValue("FreeClientsComboBox", "5");
    EXPECT_EQ(start()->text(F::FreeClientsComboBox), "0");
}

TEST_F(Startup, NeitherRadioStoredChoosesRandomAndGeneral) {
    storeDirectory();
    store.writeValue("SpecificRadio", "0");
    store.writeValue("RandomRadio", "0");
    store.writeValue("CTFMapsRadio", "0");
    const auto s = start();
    EXPECT_EQ(s->botMode(), BotMode::Random);
    EXPECT_EQ(s->mapType(), MapType::General);
}

TEST_F(Startup, StoredMapsAreSelectedOrTheFirst) {
    storeDirectory();
    store.writeValue("LastGeneralMap", "Q2DM3");
    store.writeValue("LastCTFMap", "q2ctf9");  // no longer in the list
    store.writeValue("LastExternalMap", "q2ctf_loose");
    store.writeValue("ExternalMapsRadio", "-1");
    store.writeValue("ConfigComboBox", "duel");
    const auto s = start();
    EXPECT_EQ(s->mapList(MapType::General).selection(), "q2dm3");
    EXPECT_EQ(s->mapList(MapType::CTF).selection(), "q2ctf1");
    EXPECT_EQ(s->selectedMap(), "q2ctf_loose");
    EXPECT_EQ(s->text(F::ConfigComboBox), "duel");
    EXPECT_EQ(s->configItems(), (Names{"duel", "server"}));
}

TEST_F(Startup, StoredBotsTeamsAndCtfTeams) {
    storeDirectory();
    store.writeValue("Bots", "alpha Ghost  Delta");  // Ghost left the roster
    store.writeValue("BotTeams", "BLUES");
    store.writeValue("YourTeamComboBox", "Blues");
    store.writeValue("RedBots", "Bravo Ghost");
    store.writeValue("BlueBots", "charlie");
    store.writeValue("CTFMapsRadio", "-1");
    const auto s = start();
    EXPECT_EQ(s->bots().checkedNames(), (Names{"Alpha", "Delta"}));
    EXPECT_EQ(s->botTeams().checkedNames(), Names{"Blues"});
    EXPECT_EQ(s->text(F::YourTeamComboBox), "Blues");
    EXPECT_EQ(s->redList().items(), (Names{"Bravo", "Ghost"}));
    EXPECT_EQ(s->blueList().items(), Names{"charlie"});
    EXPECT_EQ(s->availableList().items(), (Names{"Alpha", "Delta"}));
    EXPECT_EQ(s->teamLayout(), TeamLayout::RedBlue);
}

TEST_F(Startup, StoredDirectoryEqualToTheShownOneStillReadsTheLists) {
    storeDirectory();  // the same text as the design default here
    const auto s = start();
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(s->bots().items().size(), 4u);
    EXPECT_EQ(s->mapList(MapType::General).items().size(), 47u);
}

TEST_F(Startup, ClosingAndStartingAgainKeepsTheWindow) {
    auto before = start();
    SessionSettings& s = *before;
    for (const auto& info : allFields()) {
        if (info.kind == FieldKind::CheckBox) {
            s.setChecked(info.field, !s.checked(info.field));
        }
    }
    s.setChecked(F::TeamplayCheckBox, false);
    s.chooseRadio(F::SpecificRadio);
    s.chooseRadio(F::CTFMapsRadio);
    s.setChecked(F::ViewCommandLineCheckBox, true);
    s.setChecked(F::ExternalCheckBox, true);
    for (const Field combo : {F::MaxClientsComboBox, F::TimeLimitComboBox, F::BotNumComboBox,
                              F::SpecialTeamsComboBox, F::ConfigComboBox}) {
        s.setText(combo, "9");
    }
    s.setText(F::FilenameEdit, "q2.bin");
    s.setText(F::LagEdit, "250");
    s.setBotChecked(1, true);
    s.setBotTeamChecked(0, true);
    s.setText(F::YourTeamComboBox, "Blues");
    s.setCtfTeams({"Alpha"}, {"Delta"});
    s.fillAvailable();
    s.selectMap(MapType::General, 5);
    s.selectMap(MapType::CTF, 2);
    s.selectMap(MapType::External, 1);
    recent.AddRecent("/presets/one.wyn");
    {
        MainWindowLife life(s, store, recent, prompts);
        life.close();
        life.destroy();
    }
    EXPECT_FALSE(s.checked(F::ExternalCheckBox));  // the external window closed after storing
    EXPECT_EQ(store.readValue("ExternalCheckBox"), "-1");

    RecentFiles none;
    recent = none;
    const auto after = start();
    for (const Field field : storedControls()) {
        if (isBoolean(field)) {
            EXPECT_EQ(after->checked(field), field == F::ExternalCheckBox || s.checked(field))
                << fieldInfo(field).name;
        } else {
            EXPECT_EQ(after->text(field), s.text(field)) << fieldInfo(field).name;
        }
    }
    EXPECT_EQ(after->text(F::LagEdit), "1");  // never stored
    EXPECT_TRUE(after->viewState().externalWindowShown);
    EXPECT_EQ(after->bots().checkedNames(), Names{"Bravo"});
    EXPECT_EQ(after->botTeams().checkedNames(), Names{"Reds"});
    EXPECT_EQ(after->redList().items(), Names{"Alpha"});
    EXPECT_EQ(after->blueList().items(), Names{"Delta"});
    EXPECT_EQ(after->availableList().items(), (Names{"Bravo", "Charlie"}));
    for (const MapType type : kMapTypes) {
        EXPECT_EQ(after->mapList(type).selection(), s.mapList(type).selection());
    }
    EXPECT_EQ(recent.paths(), Names{"/presets/one.wyn"});
}

TEST_F(Startup, GarbageValuesStartInASaneState) {
    const std::string garbage = "\x01 ,;[x]=\"\\\xff -1";
    for (const Field field : storedControls()) {
        store.writeValue(std::string(fieldInfo(field).name), garbage);
    }
    for (const char* name : {"Bots", "BotTeams", "RedBots", "BlueBots", "LastGeneralMap",
                             "LastCTFMap", "LastExternalMap", "UnknownValue"}) {
        store.writeValue(name, garbage);
    }
    const auto s = start();
    EXPECT_TRUE(prompts.failures.empty());
    EXPECT_EQ(s->gameDirectory(), game.str());  // the prompt's answer after the garbage
    EXPECT_EQ(s->botMode(), BotMode::Random);
    EXPECT_EQ(s->mapType(), MapType::General);
    for (const MapType type : kMapTypes) {
        EXPECT_TRUE(s->mapList(type).hasSelection());
    }
    EXPECT_TRUE(s->bots().checkedNames().empty());
    EXPECT_FALSE(s->commandLine().empty());
}

TEST_F(Startup, AFailingReactionStillLeavesTheWindowRepaired) {
    // A roster too large to be ours cannot be read.
    std::filesystem::resize_file(game / "vantor/bots.cfg", kMaxTextFileSize + 1);
    storeDirectory();
    store.writeValue("MaxClientsComboBox", "");
    const auto s = start();
    ASSERT_EQ(prompts.failures.size(), 1u);
    EXPECT_EQ(prompts.failures.front(),
              "Cannot open file " + profile.path(game.str(), {"vantor", "bots.cfg"}) + ".");
    // The repairs after the failing executable went on.
    EXPECT_EQ(s->text(F::FilenameEdit), "quake2");
    EXPECT_EQ(s->text(F::MaxClientsComboBox), "24");
    EXPECT_EQ(s->botMode(), BotMode::Random);
    EXPECT_EQ(s->mapType(), MapType::General);
    EXPECT_TRUE(s->bots().items().empty());
}

// --- The program arguments.

class Arguments : public Startup {
protected:
    std::string preset;

    void SetUp() override {
        Startup::SetUp();
        storeDirectory();
        // A random-bot deathmatch on q2dm2.
        SessionSettings s(profile);
        s.directoryReaction();
        s.chooseRadio(F::RandomRadio);
        s.selectMapByName(MapType::General, "q2dm2");
        s.setText(F::MaxClientsComboBox, "6");
        preset = game / "game.wyn";
        SavePreset(s, preset);
    }
};

TEST_F(Arguments, PresetAndCapitalLLaunchAtOnce) {
    const auto s = start({preset, "-L"});
    EXPECT_TRUE(m_outcome.presetLoaded);
    EXPECT_EQ(s->caption(), "Vantor Frontend - game.wyn");
    EXPECT_EQ(recent.paths(), Names{preset});
    EXPECT_NE(s->commandLine().find("+set maxclients 6"), std::string::npos);
    ASSERT_TRUE(m_outcome.launch);
    EXPECT_EQ(m_outcome.launch->outcome, LaunchOutcome::Started);
    EXPECT_FALSE(m_outcome.closeWindow());
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(game.read("vantor/wyn.cfg").find("map q2dm2\r\n") != std::string::npos, true);
}

TEST_F(Arguments, CloseOnLaunchInThePresetEndsTheProgram) {
    auto lines = readLines(preset);
    lines[3] = "1";  // ExitCheckBox
    writeLines(preset, lines);
    start({preset, "-L"});
    EXPECT_EQ(starter.requests.size(), 1u);
    EXPECT_TRUE(m_outcome.closeWindow());
}

TEST_F(Arguments, LowerCaseLOnlyOpens) {
    const auto s = start({preset, "-l"});
    EXPECT_TRUE(m_outcome.presetLoaded);
    EXPECT_FALSE(m_outcome.launch);
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_EQ(s->text(F::MaxClientsComboBox), "6");
}

TEST_F(Arguments, UnreadablePresetSkipsTheLaunch) {
    for (const Names& arguments : {Names{"-L"}, Names{game / "missing.wyn", "-L"}}) {
        prompts.failures.clear();
        start(arguments);
        ASSERT_EQ(prompts.failures.size(), 1u);
        EXPECT_EQ(prompts.failures.front(), "Cannot open file " + arguments.front() + ".");
        EXPECT_FALSE(m_outcome.presetLoaded);
        EXPECT_FALSE(m_outcome.launch);
    }
    EXPECT_TRUE(starter.requests.empty());
}

TEST_F(Arguments, LaunchThatFailsItsChecksLeavesTheProgramOpen) {
    auto lines = readLines(preset);
    lines[0] = "";  // no General map
    writeLines(preset, lines);
    start({preset, "-L"});
    ASSERT_TRUE(m_outcome.launch);
    EXPECT_EQ(m_outcome.launch->outcome, LaunchOutcome::Stopped);
    EXPECT_FALSE(m_outcome.closeWindow());
    EXPECT_TRUE(starter.requests.empty());
}

// --- The start-up check and the locate dialog.

class Locate : public ::testing::Test {
protected:
    test::TempDir full;
    test::TempDir gameOnly;
    test::TempDir nothing;
    const PlatformProfile& profile = PlatformProfile::native();
    MemoryValueStore store;
    test::FakePrompts prompts;

    void SetUp() override {
        full.write("quake2");
        full.mkdir("vantor");
        gameOnly.write("quake2");
    }
};

TEST_F(Locate, InfoFollowsTheSelectedDirectory) {
    LocateDialog dialog(nothing.str(), profile, store, prompts);
    EXPECT_EQ(dialog.infoText(), "");
    dialog.directoryChanged(full.str());
    EXPECT_EQ(dialog.infoText(), "Found Quake II and the Vantor bot");
    EXPECT_FALSE(dialog.isClosed());
    dialog.directoryChanged(gameOnly.str());
    EXPECT_EQ(dialog.infoText(), "Found Quake II");
    EXPECT_EQ(prompts.errors, Names{noAddOnMessage()});
    EXPECT_EQ(dialog.result(), DialogResult::Cancel);
    EXPECT_TRUE(store.values().empty());
}

TEST_F(Locate, GameWithoutAddOnAtCreationStillOpens) {
    LocateDialog dialog(gameOnly.str(), profile, store, prompts);
    EXPECT_EQ(prompts.errors.size(), 1u);
    EXPECT_FALSE(dialog.isClosed());
    EXPECT_EQ(dialog.infoText(), "Found Quake II");
}

TEST_F(Locate, OkAcceptsOnlyAFullInstallation) {
    LocateDialog dialog(nothing.str(), profile, store, prompts);
    dialog.ok();
    EXPECT_EQ(prompts.errors, Names{selectLocationMessage(profile)});
    EXPECT_FALSE(dialog.isClosed());
    dialog.directoryChanged(full.str());
    dialog.ok();
    EXPECT_EQ(prompts.infos, Names{"Please restart WYN."});
    EXPECT_EQ(store.readValue("DirectoryEdit"), full.str());
    EXPECT_EQ(dialog.result(), DialogResult::Ok);
}

TEST_F(Locate, CancelWritesNothing) {
    LocateDialog dialog(full.str(), profile, store, prompts);
    dialog.cancel();
    EXPECT_EQ(dialog.result(), DialogResult::Cancel);
    EXPECT_TRUE(store.values().empty());
}

TEST_F(Locate, MessagesInTheWindowsStyle) {
    const auto windows = PlatformProfile::windows();
    EXPECT_EQ(enterDirectoryMessage(windows),
              "Please enter the directory where Quake II is located (i.e. c:\\quake2).");
    EXPECT_EQ(selectLocationMessage(windows),
              "Please select the location of Quake II on your computer. The '\\vantor' must be "
              "in this directory. If you don't have the Vantor bot installed on your computer, "
              "it can be downloaded from the Vantor add-on's download page.");
    EXPECT_EQ(noAddOnMessage(),
              "You don't appear to the Vantor bot installed on your computer. Please download it "
              "from the Vantor add-on's download page.");
}

TEST_F(Locate, StartupCheckPassesSilently) {
    SessionSettings s(profile);                        // shows the platform's default directory
    store.writeValue("DirectoryEdit", nothing.str());  // exists, holds no game
    EXPECT_TRUE(StartupCheck(s, store, prompts, full.str()));

    PlatformProfile gameHere = profile;
    gameHere.defaultGameDirectory = gameOnly.str();
    SessionSettings shown(gameHere);
    MemoryValueStore empty;
    EXPECT_TRUE(StartupCheck(shown, empty, prompts, full.str()));
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(Locate, DirectoryAcceptedAtStartUpIsUsedInTheSameRun) {
    full.mkdir("baseq2");
    PlatformProfile elsewhere = profile;
    elsewhere.defaultGameDirectory = nothing / "quake2";
    SessionSettings s(elsewhere);
    s.setDirectoryPrompt(&prompts);
    prompts.whileLocating = [&](LocateDialog& dialog) {
        dialog.directoryChanged(full.str());
        dialog.ok();
    };
    RecentFiles recent;
    test::FakeStarter starter;
    MainWindowLife life(s, store, recent, prompts);
    life.create(nothing.str());
    EXPECT_EQ(prompts.errors, Names{enterDirectoryMessage(elsewhere)});
    EXPECT_EQ(prompts.questions, Names{"Locate|"});
    life.show();
    EXPECT_EQ(s.gameDirectory(), full.str());
    EXPECT_EQ(prompts.questions, Names{"Locate|"});  // no directory prompt
}

// A Flatpak's folder holds no game program: the launcher Flatpak exports
// starts the game there. Found through it, the folder is accepted, and OK
// stores the launcher as the executable, so the player can launch at once.
TEST_F(Locate, AnInstallationFoundThroughALauncherIsStartedByIt) {
    const auto yq2 = nothing / "yq2";
    nothing.mkdir("yq2/vantor");
    nothing.mkdir("yq2/baseq2");
    const auto launcher = nothing.write("exports/bin/org.yamagi.YamagiQ2");
    PlatformProfile elsewhere = profile;
    elsewhere.defaultGameDirectory = nothing / "quake2";
    SessionSettings s(elsewhere);
    prompts.whileLocating = [&](LocateDialog& dialog) {
        dialog.directoryChanged(yq2);
        EXPECT_EQ(dialog.infoText(), "");  // no game program of its own
        dialog.installationsFound(
            {{yq2, Installation::Full, "Yamagi Quake II (Flatpak)", launcher}});
        dialog.directoryChanged(yq2);
        EXPECT_EQ(dialog.infoText(), "Found Quake II and the Vantor bot");
        dialog.ok();
    };
    RecentFiles recent;
    MainWindowLife life(s, store, recent, prompts);
    life.create(nothing.str());
    life.show();
    EXPECT_EQ(s.gameDirectory(), yq2);
    EXPECT_EQ(s.executablePath(), launcher);

    // A directory accepted by its own program: an executable stored by its
    // full path gives way, a name stays.
    for (const auto& [stored, after] : {std::pair{launcher, std::string("quake2")},
                                        std::pair{std::string("q2pro"), std::string("q2pro")}}) {
        store.writeValue("FilenameEdit", stored);
        LocateDialog(full.str(), profile, store, prompts).ok();
        EXPECT_EQ(store.readValue("FilenameEdit"), after);
    }
}

}  // namespace
}  // namespace wyn
