#include <gtest/gtest.h>

#include "session/command_line.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;
using Lines = std::vector<std::string>;

class CommandLine : public ::testing::Test {
protected:
    PlatformProfile profile = PlatformProfile::windows();
    SessionSettings s{profile};

    void SetUp() override {
        s.resetToNew();
        s.setRoster({"Bot1"}, {});
    }
};

constexpr const char* kNewSessionLine =
    "c:\\quake2\\quake2.exe +set game vantor +set skill 1 +set teamplay 0 "
    "+set bot_show_connect_info 0 +set bot_allow_client_commands 0 +set bot_auto_skill 0 "
    "+set bot_tarzan 0 +set mapmod_random 0 +set ctf_humanonly_teams 0 +set players_per_team 2 "
    "+set view_weapons 0 +set cheats 0 +set bot_calc_nodes 0 +set bot_chat 0 +set maxclients 2 "
    "+set logfile 0 +map q2dm1 +cmd lag 1";

TEST_F(CommandLine, NewSessionWithAMapOnWindows) {
    EXPECT_EQ(s.commandLine().find(" +map "), std::string::npos);  // no map: no item, no message
    s.setMapItems(MapType::General, {"q2dm1", "q2dm2"});
    s.userSelectMap(MapType::General, 0);
    EXPECT_EQ(s.commandLine(), kNewSessionLine);
}

TEST(CommandLineNative, UsesTheNativeSeparatorAndExecutable) {
    test::GameDir game;
    SessionSettings s(PlatformProfile::posix());
    s.setText(F::DirectoryEdit, game.str());
    s.resetToNew();
    EXPECT_EQ(s.commandLine().rfind(game.str() + "/quake2 +set game vantor +set skill 1", 0), 0u);
}

TEST_F(CommandLine, LimitsNeedTheirBoxAndAText) {
    s.setText(F::TimeLimitComboBox, "30");
    s.rebuildCommandLine();
    EXPECT_EQ(s.commandLine().find("timelimit"), std::string::npos);
    s.setChecked(F::TimeLimitCheckBox, true);
    EXPECT_NE(s.commandLine().find(" +set timelimit 30 "), std::string::npos);
    s.setText(F::TimeLimitComboBox, "", Reaction::Always);
    EXPECT_EQ(s.commandLine().find("timelimit"), std::string::npos);
}

TEST(CommandLineExec, NeedsTheScriptInBaseq2) {
    test::GameDir game;
    SessionSettings s(PlatformProfile::posix());
    s.setText(F::DirectoryEdit, game.str());
    s.setChecked(F::ConfigCheckBox, true);
    s.setText(F::ConfigComboBox, "server", Reaction::Always);
    EXPECT_EQ(s.commandLine().find("+exec"), std::string::npos);
    game.write("baseq2/server.cfg");
    s.setText(F::ConfigComboBox, "server", Reaction::Always);
    EXPECT_NE(s.commandLine().find(" +exec server.cfg +cmd lag 1"), std::string::npos);
}

TEST(CommandLineEditor, ConvertsTheEditedLine) {
    const std::string exe = "c:\\quake2\\quake2.exe";
    EXPECT_EQ(commandLineToScript(exe + " +set game vantor +set skill 1 +map q2dm1", exe),
              (Lines{"set game vantor ", "set skill 1 ", "map q2dm1"}));
    // Text before the first "+" is dropped, whatever it is.
    EXPECT_EQ(commandLineToScript("set skill 3 +map base1", exe), Lines{"map base1"});
    EXPECT_EQ(commandLineToScript("no plus at all", exe), Lines{});
    EXPECT_EQ(commandLineToScript("+a++b", exe), (Lines{"a", "", "b"}));
    // Only the first line counts.
    EXPECT_EQ(commandLineToScript("+map q2dm1\r\n+set skill 3", exe), Lines{"map q2dm1"});
    // The executable path is removed wherever it stands first, with one character after it.
    EXPECT_EQ(commandLineToScript("+a " + exe + "X+b", exe), (Lines{"a ", "b"}));
}

TEST_F(CommandLine, NewSessionLineMatchesTheGameSyntax) {
    // Fill the General list by hand, as a scan of pak1.pak would.
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    SessionSettings native(PlatformProfile::posix());
    native.setText(F::DirectoryEdit, game.str());
    native.resetToNew();
    native.selectMap(MapType::General, 0);
    native.rebuildCommandLine();
    std::string expected = kNewSessionLine;
    expected.replace(0, std::string("c:\\quake2\\quake2.exe").size(), game.str() + "/quake2");
    EXPECT_EQ(native.commandLine(), expected);
}

TEST(ExecutableFullPath, StandsForItselfInThePreviewTheStartAndTheEditor) {
    test::GameDir game;
    struct Case {
        PlatformProfile profile;
        std::string directory;
        std::string filename;
        std::string program;
    };
    const Case cases[] = {
        {PlatformProfile::posix(), game.str(), "/opt/yq2/quake2", "/opt/yq2/quake2"},
        {PlatformProfile::posix(), game.str(), "q2.bin", game.str() + "/q2.bin"},
        {PlatformProfile::posix(), game.str(), "bin/q2", game.str() + "/bin/q2"},
        {PlatformProfile::windows(), "c:\\quake2", "d:\\q2\\q2.exe", "d:\\q2\\q2.exe"},
        {PlatformProfile::windows(), "c:\\quake2", "q2.exe", "c:\\quake2\\q2.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filename);
        SessionSettings s(c.profile);
        s.setText(F::DirectoryEdit, c.directory);
        s.resetToNew();
        s.setText(F::FilenameEdit, c.filename);
        s.rebuildCommandLine();  // no baseq2 on the Windows paths: no reaction did it
        EXPECT_EQ(s.executablePath(), c.program);
        EXPECT_EQ(s.commandLine().rfind(c.program + " +set game vantor +set skill 1 ", 0), 0u);
        const auto request = startRequest(s);
        EXPECT_EQ(request.program, c.program);
        EXPECT_EQ(request.workingDirectory, c.directory);
        EXPECT_EQ(commandLineToScript(s.commandLine(), s.executablePath()).front(),
                  "set game vantor ");
    }
}

}  // namespace
}  // namespace wyn
