// The game started on Windows: from a folder whose name is not ASCII, with
// the scripts in it, the start parameters and the folder as working directory.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <sstream>

#include "app/foreground_game.h"
#include "app/wynctl.h"
#include "platform/process_game_starter.h"
#include "platform/system_path.h"
#include "platform/watching_game_starter.h"
#include "windows_test.h"

namespace wyn::test {
namespace {

// A game directory with the deathmatch maps, the sample's roster and the stand-in game.
class WindowsLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        makeGameDirectory(folder);
        preset = folder.write("dm.wyn", deathmatchPreset());
    }

    int wynctl(const std::vector<std::string>& command) {
        std::vector<std::string> args{"--settings", folder.path() + "\\wyn.ini", "--game-dir",
                                      game};
        args.insert(args.end(), command.begin(), command.end());
        std::ostringstream out, err;
        const int status = runWynctl(args, out, err, starter, foreground);
        this->err = err.str();
        return status;
    }

    std::string started() {
        waitUntil([this] { return !folder.read("Quake II\\started.txt").empty(); });
        return folder.read("Quake II\\started.txt");
    }

    JoergsFolder folder;
    const std::string game = folder.game();
    std::string preset;
    std::string err;
    ProcessGameStarter starter;
    ForegroundGame foreground;
};

TEST_F(WindowsLaunch, WaitStartsTheGameInItsFolderAndGivesItsExitCode) {
    qputenv("WYN_STAND_IN_EXIT", "7");
    EXPECT_EQ(wynctl({"launch", "--wait", preset}), 7) << err;
    qunsetenv("WYN_STAND_IN_EXIT");
    EXPECT_EQ(started(), "directory: " + game + "\narguments: +set game vantor +exec wyn.cfg\n");
    EXPECT_NE(folder.read("Quake II\\vantor\\wyn.cfg").find("map q2dm1\r\n"), std::string::npos);
    EXPECT_EQ(folder.read("Quake II\\vantor\\launcher.cfg"), "sv bots Orla\r\n");
}

TEST_F(WindowsLaunch, ADetachedStartRunsOnItsOwn) {
    EXPECT_EQ(wynctl({"launch", preset}), 0) << err;
    EXPECT_EQ(started(), "directory: " + game + "\narguments: +set game vantor +exec wyn.cfg\n");
}

// A watched game's end: its exit code, the system's words when the code is a
// status of Windows (a library that could not be loaded), and its log.
TEST_F(WindowsLaunch, AWatchedGameEndsWithItsCodeAndItsLog) {
    WatchingGameStarter watching(folder.path() + "\\logs\\game.log", std::chrono::milliseconds(0));
    std::optional<GameEnd> end;
    bool failedToStart = false;
    watching.setEndHandler([&end](const GameEnd& ended) { end = ended; });
    watching.setStartFailureHandler([&](const StartRequest&) { failedToStart = true; });
    for (const unsigned code : {3u, 0xC0000135u}) {
        SCOPED_TRACE(code);
        end.reset();
        qputenv("WYN_STAND_IN_EXIT", QByteArray::number(static_cast<int>(code)));
        ASSERT_TRUE(
            watching.start({game + "\\quake2.exe", {"+set", "game", "vantor"}, game, true}));
        waitUntil([&] { return end.has_value() || failedToStart; });
        qunsetenv("WYN_STAND_IN_EXIT");
        ASSERT_FALSE(failedToStart);
        ASSERT_TRUE(end);
        EXPECT_EQ(static_cast<unsigned>(end->exitCode), code);
        EXPECT_EQ(end->exitMeaning.empty(), code == 3u) << end->exitMeaning;
        EXPECT_NE(end->output.find("stand-in game: started"), std::string::npos);
        EXPECT_EQ(end->outputFile, folder.path() + "\\logs\\game.log");
    }
}

}  // namespace
}  // namespace wyn::test
