#include <gtest/gtest.h>

#include <QCoreApplication>

#include <csignal>
#include <filesystem>

#include "app/foreground_game.h"
#include "temp_dir.h"

namespace wyn {
namespace {

TEST(ForegroundGame, WaitsForTheEndAndGivesItsStatus) {
    static int argc = 1;
    static char name[] = "wyn_cli_tests";
    static char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    test::TempDir game;
    const auto program = game.write("quake2", "#!/bin/sh\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ForegroundGame foreground;
    struct Case {
        const char* script;
        int exitCode;
        int signal;
        int shellStatus;
    };
    const Case cases[] = {
        {"echo \"$(pwd) $*\" > ran.txt\nexit 3\n", 3, 0, 3},
        {"echo \"$(pwd) $*\" > ran.txt\nkill -TERM $$\nsleep 5\n", 0, SIGTERM, 128 + SIGTERM},
    };
    for (const auto& c : cases) {
        game.write("quake2", std::string("#!/bin/sh\n") + c.script);
        const auto end = foreground.run({program, {"+exec", "wyn.cfg"}, game.str()});
        ASSERT_TRUE(end.has_value());
        EXPECT_EQ(end->exitCode, c.exitCode);
        EXPECT_EQ(end->signal, c.signal);
        EXPECT_EQ(end->shellStatus(), c.shellStatus);
        EXPECT_EQ(game.read("ran.txt"),
                  std::filesystem::canonical(game.path()).string() + " +exec wyn.cfg\n");
    }
    EXPECT_FALSE(foreground.run({game / "nothing", {}, game.str()}).has_value());
}

}  // namespace
}  // namespace wyn
