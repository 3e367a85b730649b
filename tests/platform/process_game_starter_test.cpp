#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/process_game_starter.h"
#include "temp_dir.h"

namespace wyn {
namespace {

// Waits (bounded) for a file the started program writes.
std::string waitForFile(const test::TempDir& dir, const std::string& name) {
    for (int i = 0; i < 100; ++i) {
        const auto text = dir.read(name);
        if (text.find('\n') != std::string::npos) {
            return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

TEST(ProcessGameStarter, StartsInTheGameDirectoryWithTheArguments) {
    test::TempDir game;
    const auto program = game.write("quake2", "#!/bin/sh\necho \"$(pwd) $*\" > started.txt\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ProcessGameStarter starter;
    ASSERT_TRUE(
        starter.start({program, {"+set", "game", "vantor", "+exec", "wyn.cfg"}, game.str()}));
    EXPECT_EQ(waitForFile(game, "started.txt"), std::filesystem::canonical(game.path()).string() +
                                                    " +set game vantor +exec wyn.cfg\n");
}

TEST(ProcessGameStarter, MissingProgramIsAFailedStart) {
    test::TempDir game;
    ProcessGameStarter starter;
    EXPECT_FALSE(starter.start({game / "nothing", {}, game.str()}));
}

}  // namespace
}  // namespace wyn
