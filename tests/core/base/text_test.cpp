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

// Windows's names: UTF-8 both ways; anything else crosses so nothing is lost.
TEST(Text, Utf16ConversionKeepsEveryName) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
        std::string back;  // what the UTF-16 gives back
    };
    const Case cases[] = {
        {"quake2.exe", u"quake2.exe", "quake2.exe"},
        {"J\xc3\xb6rg's Spiele", u"J\u00f6rg's Spiele", "J\xc3\xb6rg's Spiele"},
        {"\xe2\x82\xac\xf0\x9f\x8e\xae", u"\u20ac\U0001F3AE", "\xe2\x82\xac\xf0\x9f\x8e\xae"},
        // Latin-1 bytes, an overlong '/', a cut sequence; a lone surrogate.
        {"J\xf6rg", u"J\u00f6rg", "J\xc3\xb6rg"},
        {"\xc0\xaf", u"\u00c0\u00af", "\xc3\x80\xc2\xaf"},
        {"a\xe2\x82", u"a\u00e2\u0082", "a\xc3\xa2\xc2\x82"},
        {"\xed\xa0\x80x", std::u16string(1, char16_t(0xD800)) + u"x", "\xed\xa0\x80x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(utf8FromUtf16(c.utf16), c.back) << c.utf8;
    }
}

}  // namespace
}  // namespace wyn
