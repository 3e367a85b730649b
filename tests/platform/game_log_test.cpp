#include <gtest/gtest.h>

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

}  // namespace
}  // namespace wyn
