#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text_file.h"
#include "chat/chat_book.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Lines = std::vector<std::string>;

const Lines kHeaders{
    "-- Greetings",
    "-- Insults (general)",
    "-- Insults (kicking ass)",
    "-- Insults (losing, coming back)",
    "-- Come-backs",
    "-- TEAMPLAY: Help!",
    "-- TEAMPLAY: Drop Item (not implemented yet)",
    "-- TEAMPLAY: Let's Group",
};

ChatBook sampleBook() {
    ChatBook book;
    book.topics[0].comments = {"hi %s", "", "  yo, all!  "};
    book.topics[2].comments = {"owned"};
    book.topics[4].comments = {"", ""};
    book.topics[7].comments = {"group up, %s", "\xE9t\xE9"};
    return book;
}

TEST(ChatFile, PathFollowsTheProfile) {
    EXPECT_EQ(chatFilePath("c:\\quake2", PlatformProfile::windows()),
              "c:\\quake2\\vantor\\chat.txt");
    EXPECT_EQ(chatFilePath("/games/q2", PlatformProfile::posix()), "/games/q2/vantor/chat.txt");
}

TEST(ChatFile, WritesHeadersAndCommentsOnly) {
    test::TempDir dir;
    WriteChatBook(dir / "chat.txt", ChatBook{});
    EXPECT_EQ(dir.read("chat.txt"), joinLines(kHeaders));

    WriteChatBook(dir / "chat.txt", sampleBook());
    EXPECT_EQ(dir.read("chat.txt"),
              "-- Greetings\r\nhi %s\r\n\r\n  yo, all!  \r\n-- Insults (general)\r\n"
              "-- Insults (kicking ass)\r\nowned\r\n-- Insults (losing, coming back)\r\n"
              "-- Come-backs\r\n\r\n\r\n-- TEAMPLAY: Help!\r\n"
              "-- TEAMPLAY: Drop Item (not implemented yet)\r\n-- TEAMPLAY: Let's Group\r\n"
              "group up, %s\r\n\xE9t\xE9\r\n");
}

TEST(ChatFile, OwnFileRoundTripsByteForByte) {
    test::TempDir dir;
    const auto path = dir / "chat.txt";
    WriteChatBook(path, sampleBook());
    const std::string written = dir.read("chat.txt");

    const ChatBook read = ReadChatBook(path);
    EXPECT_EQ(read, sampleBook());
    WriteChatBook(path, read);
    EXPECT_EQ(dir.read("chat.txt"), written);
}

TEST(ChatFile, OnlyHeadersGiveEmptyTopics) {
    EXPECT_EQ(parseChatBook(kHeaders), ChatBook{});
    EXPECT_EQ(parseChatBook({}), ChatBook{});
}

TEST(ChatFile, HandWrittenFileIsReadByTheHeaders) {
    test::TempDir dir;
    // LF and CR line ends, text before the first header, a blank line between
    // topics, headers with extra text around them.
    dir.write("chat.txt",
              "preamble\nmore\n-- Greetings!\nhello\n\n-- Insults (general)\rboo\r"
              "-- Insults (kicking ass)\n-- Insults (losing, coming back)\n-- Come-backs\n"
              "back\n-- TEAMPLAY: Help! (team)\nhelp %s\n"
              "-- TEAMPLAY: Drop Item (not implemented yet)\n"
              "-- TEAMPLAY: Let's Group!\ngroup\n");
    const ChatBook book = ReadChatBook(dir / "chat.txt");
    ChatBook expected;
    expected.topics[0].comments = {"hello", ""};
    expected.topics[1].comments = {"boo"};
    expected.topics[4].comments = {"back"};
    expected.topics[5].comments = {"help %s"};
    expected.topics[7].comments = {"group"};
    EXPECT_EQ(book, expected);

    WriteChatBook(dir / "chat.txt", book);
    const Lines lines = readLines(dir / "chat.txt");
    EXPECT_EQ(lines.front(), "-- Greetings");
    EXPECT_EQ(lines[2], "");  // the blank line stays a comment of greetings
    EXPECT_EQ(lines.size(), 8u + 6u);
}

TEST(ChatFile, LastHeaderEndsTheFile) {
    Lines lines = kHeaders;
    lines[7] = "-- TEAMPLAY: Let's Group!";
    EXPECT_EQ(parseChatBook(lines), ChatBook{});
    lines.push_back("");
    EXPECT_EQ(parseChatBook(lines).topics[7].comments, Lines{""});
}

TEST(ChatFile, MissingHeaderLetsThePreviousTopicRunToTheEnd) {
    Lines lines = kHeaders;
    lines.insert(lines.begin() + 6, "help me");  // under TEAMPLAY: Help!
    lines.erase(lines.begin() + 4);              // no Come-backs header
    const ChatBook book = parseChatBook(lines);
    EXPECT_EQ(book.topics[3].comments,
              (Lines{"-- TEAMPLAY: Help!", "help me",
                     "-- TEAMPLAY: Drop Item (not implemented yet)", "-- TEAMPLAY: Let's Group"}));
    EXPECT_TRUE(book.topics[4].comments.empty());
    EXPECT_EQ(book.topics[5].comments, Lines{"help me"});
    EXPECT_TRUE(book.topics[0].comments.empty());
}

TEST(ChatFile, HeadersOutOfOrderKeepTheTableBoundaries) {
    // Insults (general) stands before Greetings.
    Lines lines{"-- Insults (general)", "boo", "-- Greetings", "hi"};
    lines.insert(lines.end(), kHeaders.begin() + 2, kHeaders.end());
    const ChatBook book = parseChatBook(lines);
    // Greetings runs to the end: its next header never follows it.
    EXPECT_EQ(book.topics[0].comments.size(), 1u + 6u);
    EXPECT_EQ(book.topics[0].comments.front(), "hi");
    // General insults run up to the kicking-ass header, Greetings included.
    EXPECT_EQ(book.topics[1].comments, (Lines{"boo", "-- Greetings", "hi"}));
}

TEST(ChatFile, MissingFileCannotBeOpened) {
    test::TempDir dir;
    try {
        ReadChatBook(dir / "chat.txt");
        FAIL();
    } catch (const WynError& e) {
        EXPECT_EQ(e.what(), "Cannot open file " + (dir / "chat.txt"));
    }
}

}  // namespace
}  // namespace wyn
