#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "base/text_file.h"
#include "bots/player_models.h"
#include "fake_elf.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;

// A session whose executable is a made-up Yamagi Quake II with XDG support,
// on a computer of its own: the game directory and a home whose engine
// folder is ~/.local/share/YamagiQ2.
class EngineLaunch : public ::testing::Test {
protected:
    test::TempDir temp;
    std::string game = temp.mkdir("games/Quake II");
    std::string home = temp.mkdir("home");
    std::string user = temp / "home/.local/share/YamagiQ2";
    test::FakePrompts prompts;
    test::FakeStarter starter;
    std::unique_ptr<SessionSettings> s;

    void SetUp() override {
        temp.mkdir("home/.local/share");
        temp.write("games/Quake II/baseq2/maps/q2dm1.bsp");
        temp.write("games/Quake II/vantor/bots.cfg",
                   "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n");
        temp.write("games/Quake II/vantor/game.so", test::fakeElf({.type = 3}));
        // An older script in the game directory, which this engine reads second.
        temp.write("games/Quake II/vantor/wyn.cfg", "set fraglimit 99\r\n");
        engineAt("games/Quake II/q2ded");
    }

    void engineAt(const std::string& relative) {
        const auto program = temp.write(
            relative,
            test::fakeElf({.strings = {"Yamagi Quake II v%s", " + XDG directory support"}}));
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        PlatformProfile profile = PlatformProfile::posix();
        profile.home = home;
        s = std::make_unique<SessionSettings>(profile);
        s->setDirectoryPrompt(&prompts);
        s->setText(F::DirectoryEdit, game);
        s->resetToNew();
        s->setText(F::FilenameEdit, program);
        s->chooseRadio(F::ExternalMapsRadio);
        s->selectMap(MapType::External, 0);
        s->setBotChecked(0, true);
    }

    LaunchResult launch() { return Launch(*s, prompts, starter); }
};

TEST_F(EngineLaunch, ScriptsGoWhereTheEngineReadsFirst) {
    EXPECT_EQ(launch().outcome, LaunchOutcome::Started) << prompts.errors.front();
    EXPECT_EQ(readFileBytes(user + "/vantor/launcher.cfg"), "sv bots Vex\r\n");
    EXPECT_NE(readFileBytes(user + "/vantor/wyn.cfg").find("map q2dm1\r\n"), std::string::npos);
    EXPECT_EQ(temp.read("games/Quake II/vantor/wyn.cfg"), "set fraglimit 99\r\n");
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].arguments, (Names{"+set", "game", "vantor", "+exec", "wyn.cfg"}));
}

TEST_F(EngineLaunch, ABinaryElsewhereIsGivenTheGameDirectory) {
    engineAt("bin/q2ded");
    EXPECT_EQ(launch().outcome, LaunchOutcome::Started) << prompts.errors.front();
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].arguments,
              (Names{"-datadir", game, "+set", "game", "vantor", "+exec", "wyn.cfg"}));
    // The preview shows the game's own start parameters, as before.
    EXPECT_EQ(s->commandLine().find("-datadir"), std::string::npos);
}

// Refused before anything is written or asked: no scripts folder is made, and
// Save Settings on Launch offers no preset.
TEST_F(EngineLaunch, AnAddOnWithoutTheEnginesLibraryIsRefusedBeforeAnythingChanges) {
    std::filesystem::remove(game + "/vantor/game.so");
    temp.write("games/Quake II/vantor/gamex86.dll", "MZ\x90");
    s->setChecked(F::SaveSettingsCheckBox, true);
    EXPECT_EQ(launch().outcome, LaunchOutcome::Stopped);
    EXPECT_EQ(prompts.errors,
              Names{"Yamagi Quake II needs the game library game.so in " + user + "/vantor or " +
                    game + "/vantor; " + game + "/vantor holds gamex86.dll, built for Windows."});
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_FALSE(directoryExists(user));
}

// What the engine reads from its user folder is offered as if it were in the
// game directory; a name in both is listed once.
TEST_F(EngineLaunch, ContentOfTheUserFolderIsOffered) {
    temp.write("home/.local/share/YamagiQ2/baseq2/maps/Q2DM1.bsp");
    temp.write("home/.local/share/YamagiQ2/baseq2/maps/downloaded.bsp");
    temp.write("home/.local/share/YamagiQ2/baseq2/practice.cfg");
    temp.write("games/Quake II/baseq2/duel.cfg");
    temp.mkdir("home/.local/share/YamagiQ2/baseq2/players/cyborg");
    temp.write("home/.local/share/YamagiQ2/baseq2/players/male/ctf_r.pcx");
    temp.write("games/Quake II/baseq2/players/male/grunt.pcx");
    temp.write("games/Quake II/baseq2/players/male/ctf_r.pcx");
    s->setText(F::DirectoryEdit, game, Reaction::Always);
    EXPECT_EQ(s->mapList(MapType::External).items(), (Names{"downloaded", "q2dm1"}));
    EXPECT_EQ(s->configItems(), (Names{"duel", "practice"}));
    const auto roots = s->contentRoots();
    EXPECT_EQ(roots, (Names{user, game}));
    EXPECT_EQ(ListPlayerModels(roots, s->profile()), (Names{"cyborg", "male"}));
    EXPECT_EQ(ListSkins(roots, "male", s->profile()), (Names{"ctf_r", "grunt"}));
}

}  // namespace
}  // namespace wyn
