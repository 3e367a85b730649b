#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/game_log.h"
#include "temp_dir.h"

namespace wyn {
namespace {

// The report's bytes are the log's last ones, after those of its rotated part
// when the log holds fewer.
TEST(GameLog, TheTailTakesTheRotatedPartWhenTheLogIsShort) {
    constexpr std::size_t limit = kGameOutputLimit;
    struct Case {
        const char* name;
        std::size_t older;
        std::size_t current;
        // The last bytes the tail takes of each.
        std::size_t fromOlder;
        std::size_t fromCurrent;
        bool cut;
    };
    const Case cases[] = {
        {"no log", 0, 0, 0, 0, false},
        {"short log", 0, 10, 0, 10, false},
        {"log of the limit", 0, limit, 0, limit, false},
        {"longer log", 0, limit + 1, 0, limit, true},
        {"short log after a rotation", 2 * limit, 10, limit - 10, 10, true},
        {"full log after a rotation", 2 * limit, limit, 0, limit, true},
        {"small rotated part", 5, 10, 5, 10, false},
    };
    // Digits, so that a tail taken from the wrong place shows.
    const auto bytes = [](std::size_t count, char first) {
        std::string text(count, ' ');
        for (std::size_t i = 0; i < count; ++i) {
            text[i] = static_cast<char>(first + i % 7);
        }
        return text;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir state;
        const std::string older = bytes(c.older, 'a');
        const std::string current = bytes(c.current, '0');
        if (c.older > 0) {
            state.write("game.log.1", older);
        }
        if (c.current > 0) {
            state.write("game.log", current);
        }
        const OutputTail tail = readLogTail(state / "game.log");
        EXPECT_EQ(tail.bytes(), older.substr(c.older - c.fromOlder) +
                                    current.substr(c.current - c.fromCurrent));
        EXPECT_EQ(tail.cut(), c.cut);
    }
}

// What a follower reads at each look while the log grows, is rotated, and is
// taken by another game.
TEST(GameLog, AFollowerReadsWhatCameSinceItsLastLook) {
    test::TempDir state;
    const std::string log = state / "game.log";
    LogFollower follower(log, 64);
    struct Step {
        const char* name;
        std::function<void()> change;
        std::string bytes;
        bool restart;
    };
    const auto append = [&](const char* path, const std::string& bytes) {
        return [&, path, bytes] { state.write(path, state.read(path) + bytes); };
    };
    const Step steps[] = {
        {"no log yet", [] {}, "", true},
        {"the first lines", [&] { state.write("game.log", "start\nline 1\n"); }, "start\nline 1\n",
         false},
        {"nothing new", [] {}, "", false},
        {"a line in two parts", append("game.log", "line 2 "), "line 2 ", false},
        {"its end", append("game.log", "ends\n"), "ends\n", false},
        // The relay appends, renames the log to NAME.1 and begins a new one.
        {"rotated",
         [&] {
             append("game.log", "line 3\n")();
             std::filesystem::rename(log, log + ".1");
             state.write("game.log", "line 4\n");
         },
         "line 3\nline 4\n", false},
        {"rotated, the new log already longer",
         [&] {
             std::filesystem::rename(log, log + ".1");
             state.write("game.log", "line 5 is a longer line\n");
         },
         "line 5 is a longer line\n", false},
        {"more than the limit", append("game.log", std::string(60, '-') + "\nline 6\n"),
         std::string(56, '-') + "\nline 6\n", true},
        {"another game's log",
         [&] {
             std::filesystem::remove(log + ".1");
             state.write("game.log", "start\n");
         },
         "start\n", true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        const LogFollower::Piece piece = follower.look();
        EXPECT_EQ(piece.bytes, step.bytes);
        EXPECT_EQ(piece.restart, step.restart);
    }
}

}  // namespace
}  // namespace wyn
