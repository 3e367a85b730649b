#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>

#include "base/text_file.h"
#include "platform/watching_game_starter.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using namespace std::chrono_literals;

// QProcess reports through the event loop.
QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "wyn_starter_platform_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limit.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A stand-in game: a shell script in a game directory.
std::string standIn(const test::TempDir& game, const std::string& script) {
    const auto program = game.write("quake2", "#!/bin/sh\n" + script);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    return program;
}

class WatchingStarterTest : public ::testing::Test {
protected:
    test::TempDir game;
    test::TempDir state;
    std::optional<WatchingGameStarter> starter;
    std::vector<GameEnd> ends;
    std::vector<StartRequest> failures;

    void SetUp() override {
        application();
        makeStarter(300ms);
    }

    void makeStarter(std::chrono::milliseconds quickEnd) {
        starter.emplace(log(), quickEnd);
        starter->setEndHandler([this](const GameEnd& end) { ends.push_back(end); });
        starter->setStartFailureHandler(
            [this](const StartRequest& request) { failures.push_back(request); });
    }

    bool startWatched(const std::string& script, bool watch = true) {
        return starter->start(
            {standIn(game, script), {"+set", "game", "vantor"}, game.str(), watch});
    }

    std::string log() const { return state / "wyn/game.log"; }

    // Waits for the watched games to end, and then for the reports to arrive.
    void waitForEnds() {
        ASSERT_TRUE(waitUntil([&] { return starter->watchedGames() == 0; }));
        QCoreApplication::processEvents();
    }
};

TEST_F(WatchingStarterTest, ReportsTheEndsThatLookLikeFailures) {
    struct Case {
        const char* name;
        const char* script;
        bool reported;
        int exitCode;
        int signal;
        const char* output;
    };
    const Case cases[] = {
        {"exit code", "echo \"$*\"\necho 'Error: could not load game library' >&2\nexit 3\n", true,
         3, 0, "+set game vantor\nError: could not load game library\n"},
        {"signal", "echo crashing\nkill -SEGV $$\nsleep 5\n", true, 0, SIGSEGV, "crashing\n"},
        {"quick normal end", "echo bye\n", true, 0, 0, "bye\n"},
        {"normal end after a while", "sleep 0.6\necho bye\n", false, 0, 0, ""},
        {"failure after a while", "sleep 0.6\nexit 1\n", true, 1, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ends.clear();
        ASSERT_TRUE(startWatched(c.script));
        waitForEnds();
        ASSERT_EQ(ends.size(), c.reported ? 1u : 0u);
        if (!c.reported) {
            continue;
        }
        EXPECT_EQ(ends[0].exitCode, c.exitCode);
        EXPECT_EQ(ends[0].signal, c.signal);
        EXPECT_EQ(ends[0].output, c.output);
        EXPECT_FALSE(ends[0].outputCut);
        EXPECT_EQ(ends[0].request.workingDirectory, game.str());
    }
}

TEST_F(WatchingStarterTest, KeepsTheLastOutputOnly) {
    // 200 000 bytes: numbered lines, the last one known.
    ASSERT_TRUE(
        startWatched("i=0\nwhile [ $i -lt 20000 ]; do echo \"line $i\"; i=$((i+1)); done\n"
                     "echo last >&2\nexit 2\n"));
    waitForEnds();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].output.size(), kGameOutputLimit);
    EXPECT_TRUE(ends[0].outputCut);
    EXPECT_TRUE(ends[0].output.ends_with("line 19999\nlast\n"));
}

TEST_F(WatchingStarterTest, UnwatchedStartsAreForgotten) {
    ASSERT_TRUE(startWatched("echo started > started.txt\nexit 3\n", false));
    EXPECT_EQ(starter->watchedGames(), 0u);
    ASSERT_TRUE(waitUntil([&] { return !game.read("started.txt").empty(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(ends.empty());
}

// The start is asked for and not waited on; its failure arrives as an event.
TEST_F(WatchingStarterTest, MissingProgramIsAFailedStartLater) {
    const StartRequest request{game / "nothing", {}, game.str(), true};
    EXPECT_TRUE(starter->start(request));
    ASSERT_TRUE(waitUntil([&] { return !failures.empty(); }));
    EXPECT_EQ(failures, std::vector<StartRequest>{request});
    EXPECT_EQ(starter->watchedGames(), 0u);
    EXPECT_TRUE(ends.empty());
}

// The game is in a session of its own, so the terminal's signals that reach
// this program miss it; its output is in the named log, emptied at each start.
TEST_F(WatchingStarterTest, TheGameStandsAloneAndLogsToANamedFile) {
    ASSERT_TRUE(startWatched("cut -d' ' -f6 /proc/$$/stat > sid.txt\necho first run\nexit 1\n"));
    waitForEnds();
    ASSERT_TRUE(
        startWatched("cut -d' ' -f6 /proc/$$/stat > sid.txt\necho 'Error: no map'\nexit 1\n"));
    waitForEnds();
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[1].outputFile, log());
    EXPECT_EQ(readFileBytes(log()), "Error: no map\n");
    const std::string sid = game.read("sid.txt");
    ASSERT_FALSE(sid.empty());
    EXPECT_NE(std::stoi(sid), getsid(0));
}

// A log that cannot be made (its folder is a file, even for root) costs the
// output, not the game.
TEST_F(WatchingStarterTest, WithoutALogTheGameStillRuns) {
    state.write("wyn", "a file where the folder should be");
    makeStarter(300ms);
    ASSERT_TRUE(startWatched("echo ran > ran.txt\necho 'Error: no map'\nexit 1\n"));
    waitForEnds();
    EXPECT_EQ(game.read("ran.txt"), "ran\n");
    EXPECT_TRUE(failures.empty());
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].exitCode, 1);
    EXPECT_EQ(ends[0].output, "");
    EXPECT_EQ(ends[0].outputFile, "");
}

TEST_F(WatchingStarterTest, GameOutlivesTheStarter) {
    // The game writes after the starter has gone: neither killed nor stopped
    // by a broken pipe, it reaches its last line.
    ASSERT_TRUE(
        startWatched("sleep 0.5\necho still here\necho 'more output' >&2\n"
                     "echo done > after.txt\n"));
    starter.reset();
    ASSERT_TRUE(waitUntil([&] { return game.read("after.txt") == "done\n"; }));
}

}  // namespace
}  // namespace wyn
