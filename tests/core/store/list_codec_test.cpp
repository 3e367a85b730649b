#include <gtest/gtest.h>

#include "store/list_codec.h"

namespace wyn {
namespace {

using Items = std::vector<std::string>;

TEST(ListCodec, SplitDropsOrKeepsEmptyItems) {
    EXPECT_EQ(splitList("Bot1  Bot2 ", " "), (Items{"Bot1", "Bot2"}));
    EXPECT_EQ(splitList("", " "), Items{});
    EXPECT_EQ(splitList("", " ", true), Items{""});
    EXPECT_EQ(splitList("+set a +set b", "+", true), (Items{"", "set a ", "set b"}));
    EXPECT_EQ(splitList("a++b", "+", true), (Items{"a", "", "b"}));
    EXPECT_EQ(splitList("Bot 1", " "), (Items{"Bot", "1"}));
}

TEST(ListCodec, JoinAlwaysTakesTheFirstItem) {
    EXPECT_EQ(joinList({"Bot1", "", "Bot2"}, " "), "Bot1 Bot2");
    EXPECT_EQ(joinList({"", "Bot2"}, " "), " Bot2");
    EXPECT_EQ(splitList(" Bot2", " "), Items{"Bot2"});
    EXPECT_EQ(joinList({""}, " ", true), "");
    EXPECT_EQ(joinList({}, " "), "");
    EXPECT_EQ(joinList({"a", "", "b"}, "+", true), "a++b");
}

TEST(ListCodec, SeparatorIsAWholeString) {
    EXPECT_EQ(splitList("a<>b<c>d", "<>"), (Items{"a", "b<c>d"}));
    EXPECT_EQ(joinList({"a", "b"}, "<>"), "a<>b");
    EXPECT_EQ(splitList("a b", ""), Items{"a b"});
}

TEST(ListCodec, ComponentPropertiesWork) {
    TBrkApart codec;
    codec.BreakString = "/";
    codec.BaseString = "male/grunt";
    codec.Split();
    EXPECT_EQ(codec.StringList, (Items{"male", "grunt"}));
    EXPECT_EQ(codec.BaseString, "male/grunt");
    codec.StringList = {"female", "athena"};
    codec.Join();
    EXPECT_EQ(codec.BaseString, "female/athena");
}

}  // namespace
}  // namespace wyn
