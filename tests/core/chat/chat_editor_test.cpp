#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/errors.h"
#include "base/text_file.h"
#include "chat/chat_editor.h"
#include "fake_prompts.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::size_t kGreetings = 0;
constexpr std::size_t kComeBacks = 4;
constexpr std::size_t kLetsGroup = 7;

class ChatEditorTest : public ::testing::Test {
protected:
    ChatEditorTest() : editor(game.str(), PlatformProfile::native(), prompts) {}

    void writeChat(const ChatBook& book) { WriteChatBook(editor.path(), book); }
    Lines fileLines() const { return readLines(editor.path()); }

    test::GameDir game;
    test::FakePrompts prompts;
    ChatEditor editor;
};

ChatBook sampleBook() {
    ChatBook book;
    book.topics[kGreetings].comments = {"hi", "hello %s", "hey"};
    book.topics[kComeBacks].comments = {"back"};
    return book;
}

TEST_F(ChatEditorTest, NoticesSayWhatToRedraw) {
    writeChat(sampleBook());
    std::vector<ChatChange> heard;
    auto connection = editor.onChange([&](const ChatChange& c) { heard.push_back(c); });
    editor.open();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].topic && heard[0].comments && heard[0].comment);
    heard.clear();
    editor.selectComment(2);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].comment);
    EXPECT_FALSE(heard[0].comments || heard[0].topic);
    heard.clear();
    prompts.answers = {std::nullopt};
    editor.add();  // cancelled: nothing changed, nothing to tell
    EXPECT_TRUE(heard.empty());
    prompts.answers = {"new"};
    editor.add();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].comments && heard[0].comment);
}

TEST_F(ChatEditorTest, OpensOnGreetingsWithTheFirstComment) {
    writeChat(sampleBook());
    editor.open();
    EXPECT_THAT(prompts.errors, IsEmpty());
    EXPECT_EQ(editor.selectedTopic(), kGreetings);
    EXPECT_EQ(editor.panelCaption(), "Greetings");
    EXPECT_THAT(editor.comments(), ElementsAre("hi", "hello %s", "hey"));
    EXPECT_EQ(editor.selectedComment(), 0u);
    EXPECT_EQ(ChatEditor::topicNames().back(), "TEAMPLAY: Let's Group!");

    editor.selectTopic(kLetsGroup);
    EXPECT_EQ(editor.panelCaption(), "TEAMPLAY: Let's Group!");
    EXPECT_THAT(editor.comments(), IsEmpty());
    EXPECT_EQ(editor.selectedComment(), std::nullopt);
}

TEST_F(ChatEditorTest, MissingFileOpensEmptyAndOkCreatesIt) {
    editor.open();
    EXPECT_THAT(prompts.errors, ElementsAre("Could not find chat.txt."));
    EXPECT_EQ(editor.selectedTopic(), std::nullopt);
    EXPECT_EQ(editor.panelCaption(), "");

    // No topic: Add, Edit and Delete neither ask nor change anything.
    prompts.answers = {"x", "y"};
    editor.add();
    editor.edit();
    editor.deleteComment();
    EXPECT_THAT(prompts.questions, IsEmpty());
    EXPECT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(editor.book(), ChatBook{});

    editor.selectTopic(kComeBacks);
    editor.add();
    editor.ok();
    EXPECT_EQ(editor.result(), DialogResult::Ok);
    Lines lines = fileLines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[5], "x");
    EXPECT_EQ(lines[6], "-- TEAMPLAY: Help!");
}

TEST_F(ChatEditorTest, AddAppendsToTheTopicAndSelectsIt) {
    writeChat(sampleBook());
    editor.open();
    editor.selectTopic(kComeBacks);
    prompts.answers = {"I'm back, %s", ""};
    editor.add();
    EXPECT_THAT(editor.comments(), ElementsAre("back", "I'm back, %s"));
    EXPECT_EQ(editor.selectedComment(), 1u);
    editor.add();  // an empty comment is taken as typed
    EXPECT_EQ(editor.selectedComment(), 2u);
    editor.add();  // cancelled
    EXPECT_EQ(prompts.questions, Lines(3, "New comment"));
    EXPECT_EQ(editor.comments().size(), 3u);

    editor.ok();
    const Lines lines = fileLines();
    const auto help = std::find(lines.begin(), lines.end(), "-- TEAMPLAY: Help!");
    ASSERT_NE(help, lines.end());
    EXPECT_EQ(*(help - 3), "back");
    EXPECT_EQ(*(help - 2), "I'm back, %s");
    EXPECT_EQ(*(help - 1), "");
}

TEST_F(ChatEditorTest, LineBreaksInACommentCannotSplitTheFile) {
    writeChat(sampleBook());
    editor.open();
    prompts.answers = {"one\r\ntwo\nthree"};
    editor.add();
    EXPECT_EQ(editor.comments().back(), "one  two three");
}

TEST_F(ChatEditorTest, ACommentHoldingATopicHeaderIsRefused) {
    struct Case {
        const char* typed;
        const char* refusedFor;  // the header named, or nullptr when it is taken
    };
    const Case cases[] = {
        {"x -- Come-backs", "-- Come-backs"},
        {"-- Greetings!", "-- Greetings"},
        {"say -- TEAMPLAY: Let's Group! now", "-- TEAMPLAY: Let's Group"},
        {"a\n-- Insults (general)", "-- Insults (general)"},  // after the line break goes
        {"-- greetings", nullptr},                            // headers compare exactly
        {"-- Come-back", nullptr},
        {"--", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        writeChat(sampleBook());
        editor.open();
        prompts.errors.clear();
        prompts.answers = {c.typed, c.typed};
        editor.add();
        editor.selectComment(0);
        editor.edit();
        if (c.refusedFor != nullptr) {
            const std::string message =
                std::string("A comment cannot contain the topic header \"") + c.refusedFor + "\".";
            EXPECT_THAT(prompts.errors, ElementsAre(message, message));
            EXPECT_EQ(editor.book(), sampleBook());
        } else {
            EXPECT_THAT(prompts.errors, IsEmpty());
            // What was taken reads back as it is: the topics keep their bounds.
            editor.ok();
            EXPECT_EQ(ReadChatBook(editor.path()), editor.book());
            EXPECT_EQ(editor.comments().front(), c.typed);
            EXPECT_EQ(editor.comments().back(), c.typed);
        }
    }
}

TEST_F(ChatEditorTest, EditReplacesTheSelectedCommentInPlace) {
    writeChat(sampleBook());
    editor.open();
    editor.selectComment(1);
    prompts.answers = {"greetings, %s"};
    editor.edit();
    EXPECT_THAT(prompts.questions, ElementsAre("Edit comment|hello %s"));
    EXPECT_THAT(editor.comments(), ElementsAre("hi", "greetings, %s", "hey"));
    EXPECT_EQ(editor.selectedComment(), 1u);

    editor.edit();  // cancelled
    EXPECT_EQ(editor.comments()[1], "greetings, %s");

    editor.ok();
    const Lines lines = fileLines();
    EXPECT_EQ(lines[2], "greetings, %s");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "hello %s"), 0);
}

TEST_F(ChatEditorTest, EditWithoutACommentAsksNothing) {
    writeChat(sampleBook());
    editor.open();
    editor.selectTopic(kLetsGroup);
    editor.edit();
    editor.selectTopic(kGreetings);
    editor.selectComment(std::nullopt);
    editor.edit();
    editor.selectComment(7);  // past the end selects nothing
    editor.edit();
    EXPECT_THAT(prompts.questions, IsEmpty());
    EXPECT_THAT(prompts.errors, IsEmpty());
}

TEST_F(ChatEditorTest, DeleteRemovesTheSelectedAndSelectsTheFirst) {
    writeChat(sampleBook());
    editor.open();
    editor.selectComment(2);
    editor.deleteComment();
    EXPECT_THAT(editor.comments(), ElementsAre("hi", "hello %s"));
    EXPECT_EQ(editor.selectedComment(), 0u);
    editor.deleteComment();
    editor.deleteComment();
    EXPECT_THAT(editor.comments(), IsEmpty());
    EXPECT_EQ(editor.selectedComment(), std::nullopt);
    EXPECT_THAT(prompts.errors, IsEmpty());

    editor.deleteComment();
    EXPECT_THAT(prompts.errors, ElementsAre("There are no more greetings to delete."));
}

TEST_F(ChatEditorTest, DeleteInAnEmptyTopicShowsThatTopicsMessage) {
    const Lines messages{
        "There are no more greetings to delete.",
        "There are no more general insults to delete.",
        "There are no more kicking ass insults to delete.",
        "There are no more losing, coming back insults to delete.",
        "There are no more come backs to delete.",
        "There are no more help in teamplay comments to delete.",
        "There are no more drop item teamplay comments to delete.",
        "There are no more teamplay group comments to delete.",
    };
    writeChat(ChatBook{});
    editor.open();
    for (std::size_t topic = 0; topic < kChatTopicCount; ++topic) {
        editor.selectTopic(topic);
        editor.deleteComment();
    }
    EXPECT_EQ(prompts.errors, messages);
    EXPECT_EQ(editor.book(), ChatBook{});
}

TEST_F(ChatEditorTest, CancelWritesNothing) {
    writeChat(sampleBook());
    const std::string before = game.read("vantor/chat.txt");
    editor.open();
    prompts.answers = {"new"};
    editor.add();
    editor.deleteComment();
    editor.cancel();
    EXPECT_EQ(editor.result(), DialogResult::Cancel);
    EXPECT_EQ(game.read("vantor/chat.txt"), before);
}

TEST_F(ChatEditorTest, FailedWriteKeepsTheEditorOpen) {
    test::GameDir noAddOn(false);
    ChatEditor other(noAddOn.str(), PlatformProfile::native(), prompts);
    other.open();
    other.selectTopic(kGreetings);
    prompts.answers = {"kept"};
    other.add();
    EXPECT_THROW(other.ok(), WynError);
    EXPECT_EQ(other.result(), DialogResult::Open);
    EXPECT_THAT(other.comments(), ElementsAre("kept"));
}

TEST_F(ChatEditorTest, UnreadableFileDoesNotOpenTheEditor) {
    // Larger than any text file is allowed to be (sparse, so it costs nothing).
    writeChat(sampleBook());
    std::filesystem::resize_file(editor.path(), kMaxTextFileSize + 1);
    EXPECT_THROW(editor.open(), WynError);
    EXPECT_THAT(prompts.errors, IsEmpty());
}

}  // namespace
}  // namespace wyn
