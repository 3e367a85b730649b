#include <gtest/gtest.h>

#include <filesystem>

#include "app/ctl_chat.h"
#include "base/text_file.h"
#include "ctl_run.h"
#include "temp_dir.h"

namespace wyn {
namespace {

test::CtlRun runChat(const std::string& gameDirectory, const CtlArguments& args = {}) {
    return test::runCtl(ctlChat, gameDirectory, args);
}

TEST(CtlChat, PrintsWhatOkWouldWriteAndWritesNothing) {
    test::GameDir game;
    const std::string original =
        "intro\n-- Greetings\nhi %s\n\n-- Insults (general)\n-- Insults (kicking ass)\n"
        "-- Insults (losing, coming back)\n-- Come-backs\nback\n-- TEAMPLAY: Help!\n"
        "-- TEAMPLAY: Drop Item (not implemented yet)\r-- TEAMPLAY: Let's Group!\r\ngg";
    game.write("vantor/chat.txt", original);

    const auto run = runChat(game.str());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    // The line before the first header is gone; the last header loses its '!'.
    EXPECT_EQ(run.out,
              "-- Greetings\r\nhi %s\r\n\r\n-- Insults (general)\r\n-- Insults (kicking ass)\r\n"
              "-- Insults (losing, coming back)\r\n-- Come-backs\r\nback\r\n-- TEAMPLAY: Help!\r\n"
              "-- TEAMPLAY: Drop Item (not implemented yet)\r\n-- TEAMPLAY: Let's Group\r\n"
              "gg\r\n");
    EXPECT_EQ(game.read("vantor/chat.txt"), original);
}

TEST(CtlChat, MissingFileReportsAndPrintsTheEmptyBook) {
    test::GameDir game;
    const auto run = runChat(game.str());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "Could not find chat.txt.\n");
    EXPECT_EQ(run.out,
              "-- Greetings\r\n-- Insults (general)\r\n-- Insults (kicking ass)\r\n"
              "-- Insults (losing, coming back)\r\n-- Come-backs\r\n-- TEAMPLAY: Help!\r\n"
              "-- TEAMPLAY: Drop Item (not implemented yet)\r\n-- TEAMPLAY: Let's Group\r\n");
    EXPECT_FALSE(std::filesystem::exists(game / "vantor/chat.txt"));
}

TEST(CtlChat, UnreadableFileFails) {
    test::GameDir game;
    const auto path = game.write("vantor/chat.txt", "-- Greetings\n");
    std::filesystem::resize_file(path, kMaxTextFileSize + 1);
    const auto run = runChat(game.str());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Cannot open file " + path + ".\n");
}

TEST(CtlChat, RefusesArguments) {
    test::GameDir game;
    const auto run = runChat(game.str(), {"extra"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err, "");
}

}  // namespace
}  // namespace wyn
