#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text.h"

namespace wyn {
namespace {

TEST(ParseInteger, AcceptsWhatTheNumberConversionAccepts) {
    EXPECT_EQ(parseInteger("8"), 8);
    EXPECT_EQ(parseInteger("  12"), 12);
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, RefusesEverythingElseWithTheConversionMessage) {
    for (const char* text :
         {"", " ", "abc", "12a", "1 ", "-", "2147483648", "99999999999999999999", "1.5", "0x10"}) {
        try {
            parseInteger(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const WynError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(Text, CaseFoldingTouchesAsciiLettersOnly) {
    EXPECT_EQ(toLower("Q2DM1.BSP"), "q2dm1.bsp");
    EXPECT_EQ(toLower("\xC4"), "\xC4");
    EXPECT_TRUE(equalsIgnoringCase("Bot1", "bOT1"));
    EXPECT_FALSE(equalsIgnoringCase("Bot1", "Bot12"));
    EXPECT_TRUE(lessIgnoringCase("alpha", "Beta"));
    EXPECT_FALSE(lessIgnoringCase("Beta", "alpha"));
}

TEST(Text, RemoveFirstRemovesOnlyTheFirstOccurrence) {
    EXPECT_EQ(removeFirst("a.bsp.bsp", ".bsp"), "a.bsp");
    EXPECT_EQ(removeFirst("abc", ".bsp"), "abc");
    EXPECT_EQ(removeFirst("abc", ""), "abc");
}

}  // namespace
}  // namespace wyn
