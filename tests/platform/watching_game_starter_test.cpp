#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <utility>

#include "base/text_file.h"
#include "platform/game_log.h"
#include "platform/watching_game_starter.h"
#include "numbered_lines.h"
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
        // The relay ignores what is meant for the game's group, so it still
        // takes the game's last words.
        {"signals to the group",
         "trap '' HUP INT QUIT TERM\nfor s in HUP INT QUIT TERM; do kill -$s 0; done\n"
         "echo after\nexit 1\n",
         true, 1, 0, "after\n"},
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

// 3.6 MB of numbered lines: the log is rotated at line breaks past 1 MiB,
// and its two files hold the last lines without a gap.
TEST_F(WatchingStarterTest, RotatesTheLogWithoutLosingALine) {
    ASSERT_TRUE(startWatched("seq -f 'line %06.0f' 300000\nexit 2\n"));
    waitForEnds();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].output.size(), kGameOutputLimit);
    EXPECT_TRUE(ends[0].outputCut);
    EXPECT_TRUE(ends[0].output.ends_with("line 299999\nline 300000\n"));

    const std::string older = readFileBytes(log() + ".1");
    EXPECT_LE(older.size(), (1024u + 64u) * 1024u);
    test::expectUnbrokenRunUpTo(older + readFileBytes(log()), 300000);
}

// The first game runs until the second has started: each writes to a log of
// its own, and each report names it.
TEST_F(WatchingStarterTest, GamesAtOnceHaveLogsOfTheirOwn) {
    test::TempDir other;
    ASSERT_TRUE(
        startWatched("echo first\ni=0\nwhile [ ! -e second.txt ] && [ $i -lt 100 ]; do\n"
                     "sleep 0.05; i=$((i+1)); done\necho first again\nexit 1\n"));
    ASSERT_TRUE(starter->start(
        {standIn(other, "echo second\ntouch '" + game / "second.txt" + "'\nexit 1\n"),
         {},
         other.str(),
         true}));
    waitForEnds();
    const std::string second = state / "wyn/game-2.log";
    std::set<std::pair<std::string, std::string>> reported;
    for (const auto& end : ends) {
        reported.emplace(end.outputFile, end.output);
    }
    EXPECT_EQ(reported, (std::set<std::pair<std::string, std::string>>{
                            {log(), "first\nfirst again\n"}, {second, "second\n"}}));
    EXPECT_EQ(readFileBytes(log()), "first\nfirst again\n");
    EXPECT_EQ(readFileBytes(second), "second\n");
}

// Another program's relay holds its log locked, and the log it rotated too
// while it begins the next; such a slot is passed over and left alone.
TEST_F(WatchingStarterTest, ALogAnotherProgramHoldsIsPassedOver) {
    for (const char* held : {"wyn/game.log", "wyn/game.log.1"}) {
        SCOPED_TRACE(held);
        ends.clear();
        const int lock =
            ::open(state.write(held, "another game's\n").c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(lock, LOCK_EX), 0);
        ASSERT_TRUE(startWatched("echo mine\nexit 1\n"));
        waitForEnds();
        ::close(lock);
        ASSERT_EQ(ends.size(), 1u);
        EXPECT_EQ(ends[0].outputFile, state / "wyn/game-2.log");
        EXPECT_EQ(ends[0].output, "mine\n");
        EXPECT_EQ(state.read(held), "another game's\n");
    }
}

// A child the game leaves running keeps the output pipe open: the end is
// reported all the same, with what the game wrote.
TEST_F(WatchingStarterTest, AChildLeftRunningDoesNotHoldTheReport) {
    ASSERT_TRUE(startWatched("sleep 30 &\necho $! > child.txt\necho bye\nexit 1\n"));
    waitForEnds();
    ::kill(std::stoi(game.read("child.txt")), SIGKILL);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].output, "bye\n");
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
// this program miss it; its output is in the named log, emptied at each start,
// without an earlier part.
TEST_F(WatchingStarterTest, TheGameStandsAloneAndLogsToANamedFile) {
    ASSERT_TRUE(startWatched("cut -d' ' -f6 /proc/$$/stat > sid.txt\necho first run\nexit 1\n"));
    waitForEnds();
    state.write("wyn/game.log.1", "stale\n");
    ASSERT_TRUE(
        startWatched("cut -d' ' -f6 /proc/$$/stat > sid.txt\necho 'Error: no map'\nexit 1\n"));
    waitForEnds();
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[1].outputFile, log());
    EXPECT_EQ(readFileBytes(log()), "Error: no map\n");
    EXPECT_FALSE(std::filesystem::exists(log() + ".1"));
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

// A watched game is told once it runs, with its log; a follower of that log
// reads every line the game writes while the relay rotates it.
TEST_F(WatchingStarterTest, AGameThatRunsIsToldAndItsLogFollowedThroughARotation) {
    std::vector<WatchedGame> watched;
    starter->setWatchHandler([&](const WatchedGame& game) { watched.push_back(game); });
    // About 1.5 MiB at a pace a shell loop keeps: one rotation at 1 MiB.
    ASSERT_TRUE(startWatched(
        "i=0\nwhile [ $i -lt 120000 ]; do echo \"line $i\"; i=$((i+1)); done\nexit 1\n"));
    ASSERT_TRUE(waitUntil([&] { return !watched.empty(); }));
    EXPECT_EQ(watched[0].log, log());
    EXPECT_EQ(watched[0].request.arguments, (std::vector<std::string>{"+set", "game", "vantor"}));
    ASSERT_EQ(starter->runningGames().size(), 1u);
    EXPECT_EQ(starter->runningGames()[0].log, log());

    LogFollower follower(watched[0].log, 16u * 1024u * 1024u);
    std::string seen;
    int restarts = 0;
    const auto look = [&] {
        const auto piece = follower.look();
        restarts += piece.restart ? 1 : 0;
        seen += piece.bytes;
    };
    while (starter->watchedGames() != 0) {
        look();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    look();
    EXPECT_TRUE(std::filesystem::exists(log() + ".1"));
    EXPECT_EQ(restarts, 1);  // the first look only
    const auto lines = splitLines(seen);
    ASSERT_EQ(lines.size(), 120000u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i], "line " + std::to_string(i));
    }
    EXPECT_TRUE(starter->runningGames().empty());
}

TEST_F(WatchingStarterTest, GameOutlivesTheStarter) {
    // The game writes after the starter has gone: neither killed nor stopped
    // by a broken pipe, it reaches its last line, and its relay the log.
    ASSERT_TRUE(
        startWatched("sleep 0.5\necho still here\necho 'more output' >&2\n"
                     "echo done > after.txt\n"));
    starter.reset();
    ASSERT_TRUE(waitUntil([&] { return game.read("after.txt") == "done\n"; }));
    ASSERT_TRUE(waitUntil([&] { return readFileBytes(log()) == "still here\nmore output\n"; }));
}

}  // namespace
}  // namespace wyn
