#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sstream>

#include "app/ctl_session.h"
#include "app/wynctl.h"
#include "base/game_starter.h"
#include "base/text_file.h"
#include "fake_starter.h"
#include "platform/settings_value_store.h"
#include "shell_run.h"
#include "temp_dir.h"

namespace wyn {
namespace {

// Records each foreground run and ends it as told; nothing: it does not start.
class FakeForeground : public ForegroundRunner {
public:
    std::optional<GameEnd> end = GameEnd{};
    std::vector<StartRequest> runs;

    std::optional<GameEnd> run(const StartRequest& request) override {
        runs.push_back(request);
        return end;
    }
};

class Wynctl : public ::testing::Test {
protected:
    test::GameDir game;
    test::TempDir home;
    test::FakeStarter starter;
    FakeForeground foreground;
    std::string out;
    std::string err;

    void SetUp() override {
        game.write("baseq2/pak1.pak");
        game.write("baseq2/maps/dmctf.bsp");
        game.write("baseq2/mine.cfg");
        game.write("vantor/bots.cfg",
                   "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n\"Orla\" \"/\" 3 3 3 5 0 0 "
                   "100\r\n[teams]\r\n\"Rust\" \"R\" \"\" [\"Vex\"]\r\n[view weapons]\r\n");
    }

    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--settings", home / "settings.ini", "--game-dir", game.str()});
        std::ostringstream o, e;
        const int code = runWynctl(args, o, e, starter, foreground);
        out = o.str();
        err = e.str();
        return code;
    }

    std::string preset(const std::string& name, std::vector<std::string> lines) {
        lines.resize(63, "0");
        writeLines(home / name, lines);
        return home / name;
    }
};

TEST_F(Wynctl, ListsWhatTheDirectoryHolds) {
    EXPECT_EQ(run({"check"}), 0);
    EXPECT_EQ(out, "Full\n");
    EXPECT_EQ(run({"bots"}), 0);
    EXPECT_EQ(out, "Vex\nOrla\n");
    EXPECT_EQ(run({"teams"}), 0);
    EXPECT_EQ(out, "Rust\n");
    EXPECT_EQ(run({"configs"}), 0);
    EXPECT_EQ(out, "mine\n");
    EXPECT_EQ(run({"maps"}), 0);
    EXPECT_TRUE(out.starts_with("General\tq2dm1\nGeneral\tq2dm2\n"));
    EXPECT_TRUE(out.ends_with("General\tq2dm8\nExternal\tdmctf\n"));
}

TEST_F(Wynctl, PreviewOfANewSessionHasNoMap) {
    EXPECT_EQ(run({"preview"}), 0);
    EXPECT_EQ(out.find("+map"), std::string::npos);
    EXPECT_TRUE(out.starts_with(game.str() + "/quake2 +set game vantor +set skill 1 "));
    EXPECT_EQ(run({"--exe", "q2.bin", "preview"}), 0);
    EXPECT_TRUE(out.starts_with(game.str() + "/q2.bin +set game vantor"));
}

TEST_F(Wynctl, LaunchWritesTheScriptsAndStarts) {
    std::vector<std::string> lines(63, "0");
    lines[0] = "q2dm2";
    lines[17] = "1";
    lines[46] = "1";
    lines[56] = "Orla";
    lines[59] = "General";
    const auto path = preset("p.wyn", lines);
    EXPECT_EQ(run({"launch", path}), 0) << err;
    EXPECT_NE(game.read("vantor/wyn.cfg").find("map q2dm2\r\n"), std::string::npos);
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Orla\r\n");
    ASSERT_EQ(starter.requests.size(), 1u);
    EXPECT_EQ(starter.requests[0].program, game.str() + "/quake2");

    EXPECT_EQ(run({"launch", "--dry-run", path}), 0);
    EXPECT_EQ(out, game.str() + "/quake2 +set game vantor +exec wyn.cfg\n");
    EXPECT_EQ(starter.requests.size(), 1u);
}

TEST_F(Wynctl, LaunchWaitExitsWithTheGamesStatus) {
    std::vector<std::string> lines(63, "0");
    lines[0] = "q2dm2";
    lines[17] = "1";
    lines[59] = "General";
    const auto path = preset("p.wyn", lines);
    struct Case {
        std::optional<int> exitCode;  // nothing: the game does not start
        int signal;
        int status;
    };
    const Case cases[] = {{3, 0, 3}, {0, 0, 0}, {0, 11, 139}, {std::nullopt, 0, 1}};
    for (const auto& c : cases) {
        foreground.end.reset();
        if (c.exitCode) {
            foreground.end.emplace();
            foreground.end->exitCode = *c.exitCode;
            foreground.end->signal = c.signal;
        }
        EXPECT_EQ(run({"launch", "--wait", path}), c.status) << err;
        EXPECT_EQ(err, c.exitCode ? "" : "Failed to execute Quake II\n");
    }
    EXPECT_TRUE(starter.requests.empty());
    ASSERT_EQ(foreground.runs.size(), 4u);
    EXPECT_EQ(foreground.runs[0].program, game.str() + "/quake2");
    EXPECT_EQ(foreground.runs[0].workingDirectory, game.str());

    EXPECT_EQ(run({"launch", "--wait", "--dry-run", path}), 0);
    EXPECT_EQ(out, game.str() + "/quake2 +set game vantor +exec wyn.cfg\n");
    EXPECT_EQ(run({"launch", "--wait", path, "extra"}), 2);
    EXPECT_EQ(foreground.runs.size(), 4u);
}

TEST_F(Wynctl, InstallationsListTheGivenOrStoredDirectoryFirst) {
    EXPECT_EQ(run({"installations"}), 0) << err;
    EXPECT_TRUE(out.starts_with("Full\t" + game.str() + "\n")) << out;
    std::ostringstream o, e;
    SettingsValueStore(home / "settings.ini").writeValue("DirectoryEdit", game.str());
    EXPECT_EQ(runWynctl({"--settings", home / "settings.ini", "installations"}, o, e, starter,
                        foreground),
              0);
    EXPECT_TRUE(o.str().starts_with("Full\t" + game.str() + "\n")) << o.str();
    EXPECT_EQ(run({"installations", "extra"}), 2);
}

TEST_F(Wynctl, LaunchMessagesExitOne) {
    EXPECT_EQ(run({"launch"}), 1);
    EXPECT_EQ(err, "Please select a map to play on.\n");

    std::vector<std::string> lines(63, "0");
    lines[1] = "q2dm1";  // no CTF maps here: nothing selected
    lines[17] = "1";
    lines[59] = "CTF";
    lines[51] = "1";
    EXPECT_EQ(run({"--red", "Vex", "launch", preset("ctf.wyn", lines)}), 1);
    EXPECT_EQ(err, "Please select a map to play on.\n");

    // A preset selects its External map without the click that would pick the
    // red/blue layout, so the team-choice lines are checked (line 57, the own team, is "0").
    lines[2] = "dmctf";
    lines[59] = "External";
    EXPECT_EQ(run({"--red", "Vex", "launch", preset("ext.wyn", lines)}), 1);
    EXPECT_EQ(err, "Please select at least one team to play against.\n");
}

TEST_F(Wynctl, RedAndBlueFillTheCtfTeams) {
    game.write("ctf/pak0.pak");
    game.write("vantor/pak0.pak");
    std::vector<std::string> lines(63, "0");
    lines[1] = "q2ctf1";
    lines[17] = "1";
    lines[51] = "1";
    lines[59] = "CTF";
    EXPECT_EQ(run({"--red", "Vex Ghost", "--blue", "Orla", "launch", preset("ctf.wyn", lines)}), 0)
        << err;
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv redbots Vex Ghost\r\nsv bluebots Orla\r\n");
}

TEST_F(Wynctl, FailuresAndUsage) {
    EXPECT_EQ(run({"preview", home / "missing.wyn"}), 1);
    EXPECT_EQ(err, "Cannot open file " + home / "missing.wyn" + ".\n");

    std::ostringstream o, e;
    EXPECT_EQ(runWynctl({"--game-dir", home.str(), "bots"}, o, e, starter, foreground), 1);
    EXPECT_EQ(e.str(),
              "'" + home.str() + "' is not a Quake II directory: it has no baseq2 directory.\n");

    EXPECT_EQ(run({"frobnicate"}), 2);
    EXPECT_TRUE(err.starts_with("wynctl: unknown command 'frobnicate'\nusage: wynctl"));
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"bots", "extra"}), 2);
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out.starts_with("usage: wynctl"));
    std::ostringstream o2, e2;
    EXPECT_EQ(runWynctl({"--game-dir"}, o2, e2, starter, foreground), 2);
}

TEST_F(Wynctl, ManualEditIsConfirmedUnchanged) {
    std::vector<std::string> lines(63, "0");
    lines[0] = "q2dm1";
    lines[4] = "1";
    lines[17] = "1";
    lines[46] = "1";
    lines[56] = "Vex";
    lines[59] = "General";
    EXPECT_EQ(run({"launch", preset("edit.wyn", lines)}), 0) << err;
    EXPECT_TRUE(game.read("vantor/wyn.cfg").starts_with("set game vantor \r\nset skill 0 \r\n"));

    // Nobody edits the line here, so what it holds came from the preset.
    lines[11] = "8;set rcon_password pwned";
    EXPECT_EQ(run({"launch", preset("evil.wyn", lines)}), 1);
    EXPECT_EQ(err,
              "Max Clients '8;set rcon_password pwned' cannot be given to Quake II: it holds ';', "
              "which the game's console would read as more than this one value.\n");
    EXPECT_TRUE(game.read("vantor/wyn.cfg").starts_with("set game vantor \r\nset skill 0 \r\n"));
    EXPECT_EQ(starter.requests.size(), 1u);
}

TEST_F(Wynctl, StoreThenRestoreContinuesTheSession) {
    std::vector<std::string> lines(63, "0");
    lines[0] = "q2dm5";
    lines[11] = "16";
    lines[17] = "1";
    lines[46] = "1";
    lines[56] = "Orla";
    lines[59] = "General";
    const auto path = preset("stored.wyn", lines);
    EXPECT_EQ(run({"--store", "--red", "Vex", "preview", path}), 0) << err;
    const auto stored = out;
    const auto redBots = [&] {
        return SettingsValueStore(home / "settings.ini").readValue("RedBots");
    };
    EXPECT_EQ(redBots(), "Vex");
    EXPECT_EQ(run({"recent"}), 0);
    EXPECT_EQ(out, path + "\n");

    EXPECT_EQ(run({"--restore", "preview"}), 0) << err;
    EXPECT_EQ(out, stored);
    EXPECT_NE(out.find(" +set maxclients 16 "), std::string::npos);
    EXPECT_NE(out.find(" +map q2dm5 "), std::string::npos);
    EXPECT_EQ(run({"--restore", "launch", "--dry-run"}), 0) << err;
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Orla\r\n");
    // The red team came back with the restore and is stored again.
    EXPECT_EQ(run({"--restore", "--store", "preview"}), 0) << err;
    EXPECT_EQ(redBots(), "Vex");

    EXPECT_EQ(run({"--store", "check"}), 2);
}

TEST_F(Wynctl, EditorsPrintWhatTheirOkWouldWrite) {
    EXPECT_EQ(run({"roster"}), 0) << err;
    EXPECT_EQ(out,
              "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n\"Orla\" \"/\" 3 3 3 5 0 0 "
              "100\r\n[teams]\r\n\"Rust\" \"R\" \"\" [\"Vex\"]\r\n[view weapons]\r\n");
    game.write("vantor/maps.txt", "q2dm2\r\nmine\r\n");
    EXPECT_EQ(run({"cycle"}), 0) << err;
    EXPECT_TRUE(
        out.starts_with("Current\tq2dm2\nCurrent\tmine\nAvailable\tq2dm1\nAvailable\tq2dm3\n"));
    EXPECT_TRUE(out.ends_with("Available\tq2dm8\nAvailable\tdmctf\n"));
}

// A game directory written into the settings file by hand, in UTF-8, is where
// --restore starts (the store's own writing is the store's test).
TEST(WynctlSettings, AnAccentedGameDirectoryWrittenByHandIsRestored) {
    test::TempDir top;
    const std::string game = top.mkdir("J\xc3\xb6rg's Spiele/Quake II");
    top.write("J\xc3\xb6rg's Spiele/Quake II/baseq2/pak1.pak");
    test::FakeStarter starter;
    FakeForeground foreground;
    std::ostringstream restored, problems;
    top.write("by-hand.ini", "[General]\nDirectoryEdit=" + game + "\n");
    EXPECT_EQ(runWynctl({"--settings", top / "by-hand.ini", "--restore", "preview"}, restored,
                        problems, starter, foreground),
              0);
    EXPECT_EQ(problems.str(), "");
    EXPECT_EQ(restored.str().rfind(game + "/quake2 ", 0), 0u) << restored.str();
}

// The program's standard output and error together, and its exit status.

TEST(WynctlProgram, LaunchWaitPassesTheGameOnAndItsExitCode) {
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    std::filesystem::copy_file(WYN_SAMPLE_DIR "/bots.cfg", game / "vantor/bots.cfg");
    // A stand-in game that does not start right, given by its full path.
    test::TempDir bin;
    const auto program = bin.write("q2",
                                   "#!/bin/sh\necho \"Quake 2 $*\"\n"
                                   "echo 'Error: could not load game library' >&2\nexit 3\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    test::TempDir home;
    const auto [output, status] = test::runShell(
        std::string(WYNCTL_PATH) + " --settings " + home / "s.ini" + " --game-dir " + game.str() +
        " --exe " + program + " launch --wait " + WYN_SAMPLE_DIR "/deathmatch.wyn");
    EXPECT_EQ(status, 3);
    EXPECT_EQ(output,
              "Quake 2 +set game vantor +exec wyn.cfg\nError: could not load game library\n");
}

// A word for the shell, whatever it holds.
std::string quoted(const std::string& word) {
    std::string text = "'";
    for (const char c : word) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

// A stand-in game in the game directory, made executable.
std::string standIn(const test::TempDir& game, const std::string& script) {
    const auto program = game.write("quake2", "#!/bin/sh\n" + script);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    return program;
}

TEST(WynctlProgram, LaunchesFromAnAccentedDirectoryWithBlanksAndAnApostrophe) {
    test::TempDir top;
    const std::string game = top.mkdir("J\xc3\xb6rg's Spiele/Quake II");
    top.write("J\xc3\xb6rg's Spiele/Quake II/baseq2/pak1.pak");
    top.write("J\xc3\xb6rg's Spiele/Quake II/vantor/bots.cfg",
              "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n");
    const auto program = top.write("J\xc3\xb6rg's Spiele/Quake II/quake2",
                                   "#!/bin/sh\necho \"$(pwd) $*\"\nhead -c 11 vantor/wyn.cfg\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    test::TempDir home;
    const auto [output, status] =
        test::runShell(std::string(WYNCTL_PATH) + " --settings " + home / "s.ini" + " --game-dir " +
                       quoted(game) + " launch --wait " + WYN_SAMPLE_DIR "/deathmatch.wyn");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, std::filesystem::canonical(game).string() +
                          " +set game vantor +exec wyn.cfg\nset skill 2");
}

// A service manager stops wynctl alone: the game gets the termination, ends
// as it chooses, and wynctl exits with the game's status.
TEST(WynctlProgram, LaunchWaitPassesATerminationOnToTheGame) {
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    std::filesystem::copy_file(WYN_SAMPLE_DIR "/bots.cfg", game / "vantor/bots.cfg");
    standIn(game,
            "trap 'echo trapped > trapped.txt; exit 143' TERM\necho $$ > game.pid\n"
            "while :; do sleep 0.05; done\n");
    test::TempDir home;
    const std::string command = "exec " + std::string(WYNCTL_PATH) + " --settings " +
                                home / "s.ini" + " --game-dir " + game.str() + " launch --wait " +
                                WYN_SAMPLE_DIR "/deathmatch.wyn >/dev/null 2>&1";
    const pid_t wynctl = fork();
    ASSERT_NE(wynctl, -1);
    if (wynctl == 0) {
        setsid();  // no terminal's group: the signal below reaches wynctl only
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 400 && game.read("game.pid").empty(); ++i) {
        usleep(25'000);
    }
    const std::string gamePid = game.read("game.pid");
    ASSERT_FALSE(gamePid.empty());
    kill(wynctl, SIGTERM);
    int status = 0;
    waitpid(wynctl, &status, 0);
    kill(std::stoi(gamePid), SIGKILL);  // should it have been left running
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 143);
    EXPECT_EQ(game.read("trapped.txt"), "trapped\n");
}

TEST(WynctlProgram, InstallationsFindASteamLibraryUnderTheHome) {
    test::TempDir home;
    const auto library = home.mkdir("games/SteamLibrary");
    const auto quake = home.mkdir("games/SteamLibrary/steamapps/common/Quake 2/baseq2");
    home.write("games/SteamLibrary/steamapps/common/Quake 2/quake2");
    home.write(
        ".local/share/Steam/steamapps/libraryfolders.vdf",
        "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library + "\"\n\t}\n}\n");
    const auto [output, status] =
        test::runShell("cd " + home.str() + " && HOME=" + home.str() + " PATH=/nonexistent " +
                       WYNCTL_PATH + " --settings " + home / "s.ini" + " installations");
    EXPECT_EQ(status, 0);
    EXPECT_NE(output.find("GameOnly\t" + library + "/steamapps/common/Quake 2\n"),
              std::string::npos)
        << output;
}

TEST(WynctlProgram, SampleRunsEndToEnd) {
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    game.write("baseq2/practice.cfg");
    std::filesystem::copy_file(WYN_SAMPLE_DIR "/bots.cfg", game / "vantor/bots.cfg");
    test::TempDir home;
    const std::string command = std::string(WYNCTL_PATH) + " --settings " + home / "s.ini" +
                                " --game-dir " + game.str() + " launch --dry-run " +
                                WYN_SAMPLE_DIR "/deathmatch.wyn 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    EXPECT_EQ(pclose(pipe), 0) << output;
    EXPECT_EQ(output, game.str() + "/quake2 +set game vantor +exec wyn.cfg\n");
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Vex Orla\r\n");
}

}  // namespace
}  // namespace wyn
