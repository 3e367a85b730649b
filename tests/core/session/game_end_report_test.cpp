#include <gtest/gtest.h>

#include <csignal>

#include "fake_elf.h"
#include "replaced.h"
#include "session/game_end_report.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

GameEnd endOf(const std::string& gameDirectory, std::chrono::milliseconds runTime, int exitCode,
              int signal, std::string output) {
    GameEnd end;
    end.request = {gameDirectory + "/quake2", {"+exec", "wyn.cfg"}, gameDirectory, true};
    end.runTime = runTime;
    end.exitCode = exitCode;
    end.signal = signal;
    end.output = std::move(output);
    return end;
}

TEST(GameEndReport, SaysHowTheGameEndedWhatItSaidAndWhy) {
    const std::string noLibrary =
        "Likely cause: DIR holds no game library Quake II can load (game.so, gamex86_64.so, "
        "gamei386.so or gamearm64.so), so the Vantor bot cannot run.";
    const std::string builtForWindows =
        "Likely cause: the Vantor bot in DIR is built for Windows (gamex86.dll); Quake II on this "
        "system needs a game library built for it (game.so, gamex86_64.so, gamei386.so or "
        "gamearm64.so).";
    struct Case {
        std::vector<const char*> addOnFiles;
        std::chrono::milliseconds runTime;
        int exitCode;
        int signal;
        std::string summary;
        std::string cause;  // DIR stands for the add-on directory
    };
    const Case cases[] = {
        {{"bots.cfg"},
         2'400ms,
         3,
         0,
         "Quake II ended after 2 seconds with exit code 3.",
         noLibrary},
        {{"gamex86.dll"},
         300ms,
         1,
         0,
         "Quake II ended after less than a second with exit code 1.",
         builtForWindows},
        {{"game.so"},
         125s,
         0,
         SIGSEGV,
         "Quake II ended after 2 minutes 5 seconds, killed by signal 11 (SIGSEGV).",
         ""},
        {{"gamei386.so", "gamex86.dll"},
         3s,
         0,
         0,
         "Quake II ended after 3 seconds with exit code 0.",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.summary);
        test::TempDir game;
        game.mkdir("vantor");
        for (const char* file : c.addOnFiles) {
            game.write(std::string("vantor/") + file);
        }
        const auto report =
            reportGameEnd(endOf(game.str(), c.runTime, c.exitCode, c.signal,
                                "Quake 2 3.24\r\n\nError: could not load game library\n"),
                          PlatformProfile::posix());
        std::string cause = c.cause;
        if (const auto at = cause.find("DIR"); at != std::string::npos) {
            cause.replace(at, 3, game / "vantor");
        }
        EXPECT_EQ(report.summary, c.summary);
        EXPECT_EQ(report.outputLines,
                  (Lines{"Quake 2 3.24", "Error: could not load game library"}));
        EXPECT_EQ(report.cause, cause);
        EXPECT_EQ(report.text(), c.summary +
                                     "\n\nQuake 2 3.24\nError: could not load game library" +
                                     (cause.empty() ? "" : "\n\n" + cause));
    }
}

TEST(GameEndReport, NamesTheLogLast) {
    test::TempDir game;
    game.write("vantor/game.so");
    GameEnd end;
    end.request.workingDirectory = game.str();
    end.exitCode = 1;
    end.output = "Error: no map\n";
    end.outputFile = "/home/j\xc3\xb6rg/.local/state/wyn/game.log";
    EXPECT_EQ(reportGameEnd(end, PlatformProfile::posix()).text(),
              "Quake II ended after less than a second with exit code 1.\n\nError: no map\n\n"
              "The game's output is in /home/j\xc3\xb6rg/.local/state/wyn/game.log.");
}

TEST(GameEndReport, RunTimesAndStatuses) {
    const std::pair<std::chrono::milliseconds, const char*> times[] = {
        {0ms, "after less than a second"},
        {999ms, "after less than a second"},
        {1s, "after 1 second"},
        {59s, "after 59 seconds"},
        {60s, "after 1 minute"},
        {61s, "after 1 minute 1 second"},
        {3600s, "after 1 hour"},
        {2h + 3min + 4s, "after 2 hours 3 minutes"},
    };
    for (const auto& [time, text] : times) {
        EXPECT_EQ(describeRunTime(time), text);
    }
    const std::tuple<int, int, const char*> statuses[] = {
        {3, 0, "with exit code 3"},
        {-1, 0, "with exit code -1"},
        {0, SIGSEGV, "killed by signal 11 (SIGSEGV)"},
        {0, SIGKILL, "killed by signal 9 (SIGKILL)"},
        {0, 99, "killed by signal 99"},
    };
    for (const auto& [code, signal, text] : statuses) {
        GameEnd end;
        end.exitCode = code;
        end.signal = signal;
        EXPECT_EQ(describeStatus(end), text);
    }
    // A Windows status, with the system's words for it.
    GameEnd end;
    end.exitCode = static_cast<int>(0xC0000135u);
    end.exitMeaning = "The specified module could not be found.";
    EXPECT_EQ(describeStatus(end),
              "with exit code 0xC0000135 (The specified module could not be found.)");
}

TEST(GameEndReport, OutputLines) {
    std::string many;
    for (int i = 1; i <= 25; ++i) {
        many += "line " + std::to_string(i) + "\n";
    }
    Lines lastTwenty;
    for (int i = 6; i <= 25; ++i) {
        lastTwenty.push_back("line " + std::to_string(i));
    }
    struct Case {
        std::string output;
        bool cut;
        Lines lines;
    };
    const Case cases[] = {
        {many, false, lastTwenty},
        {"", false, {}},
        {"\n \n\t\n", false, {}},
        {"ne 1\nline 2\nline 3", true, {"line 2", "line 3"}},
        {"\x1b[1mbold\x1b[0m\tand\x7f more  \r\n", false, {"[1mbold[0m and more"}},
        {"caf\xe9\n", false, {"caf\xe9"}},
    };
    for (const auto& c : cases) {
        GameEnd end;
        end.output = c.output;
        end.outputCut = c.cut;
        EXPECT_EQ(lastOutputLines(end, kReportedOutputLines), c.lines) << c.output;
    }
}

TEST(GameEndReport, WindowsLibraries) {
    // Here a Windows path is one file name in the temporary directory.
    test::TempDir temp;
    const std::string game = temp / "q2";
    const GameEngine unknown{Engine(), {game, "", "", PlatformProfile::windows()}};
    EXPECT_EQ(likelyCause(unknown),
              "Likely cause: " + game +
                  "\\vantor holds no game library Quake II can load (game.dll, gamex86_64.dll, "
                  "gamex86.dll or gamearm64.dll), so the Vantor bot cannot run.");
    temp.write("q2\\vantor\\gamex86.dll");
    EXPECT_EQ(likelyCause(unknown), "");
}

// The check before a start and the report on a game's end go by one rule:
// whatever stops the start is what the report blames, and nothing else.
TEST(GameEndReport, BlamesWhatTheCheckBeforeTheStartRefuses) {
    const std::pair<std::pair<const char*, std::string>, std::string> cases[] = {
        {{"game.so", test::fakeElf({.type = 3})}, ""},
        {{"game.so", test::fakeElf({.bits = 32, .machine = 3, .type = 3})},
         "Likely cause: GAME/vantor holds no game library Yamagi Quake II can load (game.so), so "
         "the Vantor bot cannot run."},
        {{"gamex86.dll", "MZ"},
         "Likely cause: the Vantor bot in GAME/vantor is built for Windows (gamex86.dll); Yamagi "
         "Quake II on this system needs a game library built for it (game.so)."},
    };
    for (const auto& [file, expected] : cases) {
        test::TempDir game;
        game.write(std::string("vantor/") + file.first, file.second);
        const auto started =
            gameEngineAt(game.write("q2ded", test::fakeElf({.strings = {"Yamagi Quake II v%s"}})),
                         game.str(), PlatformProfile::posix());
        const auto cause = test::replaced(expected, {{"GAME", game.str()}});
        EXPECT_EQ(likelyCause(started), cause);
        EXPECT_EQ(checkGameLibrary(started.engine, started.environment, "vantor").has_value(),
                  !cause.empty());
    }
}

// A Flatpak engine is started through flatpak; the report tells the engine
// the player gave, with the folders it reads.
TEST(GameEndReport, NamesTheSandboxedEngineAndItsFolders) {
    test::TempDir home;
    const auto app = home / ".local/share/flatpak/app/org.yamagi.YamagiQ2/current/active/files/bin";
    home.write(".local/share/flatpak/app/org.yamagi.YamagiQ2/current/active/files/bin/quake2",
               test::fakeElf({.strings = {"Yamagi Quake II v%s"}}));
    const auto launcher = home.write(
        ".local/share/flatpak/exports/bin/org.yamagi.YamagiQ2",
        "#!/bin/sh\nexec /usr/bin/flatpak run --branch=stable org.yamagi.YamagiQ2 \"$@\"\n");
    const auto own = home.mkdir(".var/app/org.yamagi.YamagiQ2/.yq2");
    home.mkdir(".var/app/org.yamagi.YamagiQ2/.yq2/baseq2");
    PlatformProfile profile = PlatformProfile::posix();
    profile.home = home.str();
    SessionSettings s(profile);
    s.setText(Field::DirectoryEdit, own);
    s.setText(Field::FilenameEdit, launcher);
    GameEnd end;
    end.request = startRequest(s);
    ASSERT_EQ(end.request.program, "/usr/bin/flatpak");
    end.exitCode = 1;
    const auto report = reportGameEnd(end, profile);
    EXPECT_EQ(report.engine,
              "The engine was Yamagi Quake II (Flatpak), which reads the game from " + own +
                  " and " + app + ".");
    EXPECT_EQ(report.cause, "Likely cause: " + own + "/vantor and " + app +
                                "/vantor hold no game library Yamagi Quake II (Flatpak) can load "
                                "(game.so), so the Vantor bot cannot run.");
    EXPECT_EQ(report.text(), "Quake II ended after less than a second with exit code 1.\n\n" +
                                 report.engine + "\n\n" + report.cause);
}

}  // namespace
}  // namespace wyn
