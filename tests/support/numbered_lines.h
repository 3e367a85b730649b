#pragma once

// The game stand-ins write "line 000001", "line 000002", ...: after rotations
// the kept logs together must hold an unbroken run of them up to the last,
// the oldest lines only rotated away.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/text_file.h"

namespace wyn::test {

inline void expectUnbrokenRunUpTo(const std::string& logs, int last) {
    const auto lines = splitLines(logs);
    ASSERT_FALSE(lines.empty());
    int number = std::stoi(lines.front().substr(5));
    EXPECT_GT(number, 1);
    for (const auto& line : lines) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "line %06d", number++);
        ASSERT_EQ(line, expected);
    }
    EXPECT_EQ(number, last + 1);
}

}  // namespace wyn::test
