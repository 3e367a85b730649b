#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/relay_loop.h"

namespace wyn {
namespace {

// The relay's rule on the pieces a pipe gives, with the log and its rotations
// kept in memory: each rotation answers as the case says, the last answer
// standing for every later one. Windows postpones a rotation while a reader
// keeps NAME.1; a log that cannot be begun anew loses the rest.
TEST(RelayLoop, RotatesAtLineBreaksPastTheLimitAsEachRotationAllows) {
    const std::size_t half = static_cast<std::size_t>(kRotateAt) / 2;
    const std::string lines = std::string(half - 1, 'a') + "\n";  // half a MiB a piece
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        std::vector<Rotation> answers;
        std::vector<std::size_t> logs;  // the size of each log begun, the last one current
    };
    const Case cases[] = {
        {"within the limit", {lines, lines}, {Rotation::Done}, {2 * half}},
        {"past it, at the line break", {lines, lines, "b\nc"}, {Rotation::Done}, {2 * half + 2, 1}},
        {"a piece without a line break goes whole",
         {lines, lines, "bc"},
         {Rotation::Done},
         {2 * half + 2, 0}},
        {"postponed, then done",
         {lines, lines, "b\n", "c\n", "d"},
         {Rotation::Postponed, Rotation::Done},
         {2 * half + 4, 1}},
        {"the log lost", {lines, lines, "b\nc", "d\n"}, {Rotation::Lost}, {2 * half + 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> logs{""};
        std::size_t next = 0;
        std::size_t rotations = 0;
        bool lost = false;
        // Pieces larger than a pipe's, so that a few make a log.
        std::vector<char> piece(static_cast<std::size_t>(kRotateAt));
        relayToLog(
            piece.data(), piece.size(), 0,
            [&](char* buffer, std::size_t capacity) -> std::size_t {
                if (next == c.pieces.size()) {
                    return 0;
                }
                const std::string& bytes = c.pieces[next++];
                EXPECT_LE(bytes.size(), capacity);
                std::copy(bytes.begin(), bytes.end(), buffer);
                return bytes.size();
            },
            [&](const char* bytes, std::size_t count) {
                EXPECT_FALSE(lost);
                logs.back().append(bytes, count);
                return true;
            },
            [&] {
                const Rotation answer = c.answers[std::min(rotations++, c.answers.size() - 1)];
                if (answer == Rotation::Done) {
                    logs.emplace_back();
                }
                lost = answer == Rotation::Lost;
                return answer;
            });
        std::vector<std::size_t> sizes;
        for (const auto& log : logs) {
            sizes.push_back(log.size());
        }
        EXPECT_EQ(sizes, c.logs);
    }
}

}  // namespace
}  // namespace wyn
