#include <gtest/gtest.h>

#include "session/console_values.h"

namespace wyn {
namespace {

TEST(ConsoleValues, CharactersThatEndAValue) {
    for (const char c : {';', '"', '\n', '\r', '\t', '\0', '\x01', '\x1f', '\x7f'}) {
        EXPECT_EQ(consoleBreakingCharacter(std::string("8") + c + "9"), c) << int(c);
    }
    // What the console reads as part of one value: blanks stand between
    // names, and everything from '/' to bytes above ASCII is plain text.
    for (const std::string_view plain : {"", "24", "q2dm1", "my ctf", "a/b\\c", "$x", "\xc3\xb6"}) {
        EXPECT_EQ(consoleBreakingCharacter(plain), std::nullopt) << plain;
    }
}

TEST(ConsoleValues, TheMessageShowsTheValueOnOneLine) {
    EXPECT_EQ(unsafeValueMessage("Max Clients", "8;set rcon_password pwned"),
              "Max Clients '8;set rcon_password pwned' cannot be given to Quake II: it holds "
              "';', which the game's console would read as more than this one value.");
    EXPECT_EQ(unsafeValueMessage("bot", "Vex\r\nquit"),
              "bot 'Vex\\r\\nquit' cannot be given to Quake II: it holds a line break, which "
              "the game's console would read as more than this one value.");
    EXPECT_EQ(unsafeValueMessage("map", std::string("q2\x01\"", 4)),
              "map 'q2\\x01\"' cannot be given to Quake II: it holds a control character, "
              "which the game's console would read as more than this one value.");
    EXPECT_EQ(unsafeValueMessage("map", "q2dm1"), std::nullopt);
    EXPECT_EQ(unsafeNameMessage("team", {"Alpha", "Be\"ta", "G;"}),
              "team 'Be\"ta' cannot be given to Quake II: it holds '\"', which the game's "
              "console would read as more than this one value.");
}

}  // namespace
}  // namespace wyn
