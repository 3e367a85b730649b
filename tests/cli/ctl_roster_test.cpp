#include <gtest/gtest.h>

#include <filesystem>

#include "app/ctl_roster.h"
#include "base/text_file.h"
#include "bots/roster_file.h"
#include "ctl_run.h"
#include "temp_dir.h"

namespace wyn {
namespace {

test::CtlRun runRoster(const std::string& gameDirectory, const CtlArguments& args = {}) {
    return test::runCtl(ctlRoster, gameDirectory, args);
}

TEST(CtlRoster, ReproducesAFileThisProgramWrote) {
    test::GameDir game;
    BotRoster roster;
    roster.bots = {{"Bot1", "male", "grunt", "3", "3", "3", "1", "2", "0", "100"},
                   {"Bot2", "", "", "1", "", "5", "0", "0", "1", "400"}};
    roster.teams = {{"Alpha", "alf", "male", "", " Bot1"}, {"Beta", "B", "f", "s", "Bot1  x"}};
    roster.supporters = {"male", "Cyborg"};
    const std::string path = game / "vantor/bots.cfg";
    ASSERT_FALSE(WriteRoster(path, roster));
    // An empty look keeps its '/'; a team without a skin has an empty look; the
    // leading blank of the members goes, the double one stays.
    const std::string written =
        "[bots]\r\n"
        "\"Bot1\" \"male/grunt\" 3 3 3 1 2 0 100\r\n"
        "\"Bot2\" \"/\" 1  5 0 0 1 400\r\n"
        "[teams]\r\n"
        "\"Alpha\" \"alf\" \"\" [\"Bot1\"]\r\n"
        "\"Beta\" \"B\" \"f/s\" [\"Bot1\"  \"x\"]\r\n"
        "[view weapons]\r\n"
        "\"male\"\r\n"
        "\"Cyborg\"\r\n";
    EXPECT_EQ(game.read("vantor/bots.cfg"), written);

    game.write("vantor/bots.cfg", written);  // whatever the writer did
    const auto run = runRoster(game.str());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, written);
    EXPECT_EQ(game.read("vantor/bots.cfg"), written);
}

TEST(CtlRoster, PrintsTheCanonicalFormWithoutWriting) {
    test::GameDir game;
    const std::string original =
        "; my bots\n\"Early\" \"m/s\" 1 2 3 4 5 6 7\n[bots]\n[teams]\n\"Red\" \"RED\" "
        "[\"Early\"]\n";
    game.write("vantor/bots.cfg", original);
    const auto run = runRoster(game.str());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out,
              "[bots]\r\n\"Early\" \"m/s\" 1 2 3 4 5 6 7\r\n[teams]\r\n"
              "\"Red\" \"RED\" \"\" [\"Early\"]\r\n[view weapons]\r\n");
    EXPECT_EQ(game.read("vantor/bots.cfg"), original);
}

TEST(CtlRoster, TeamWithoutMembersFails) {
    test::GameDir game;
    game.write("vantor/bots.cfg",
               "[teams]\r\n\"Full\" \"\" \"\" [\"A\"]\r\n\"Alpha\" \"\" \"\" []\r\n");
    const auto run = runRoster(game.str());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Please add some team members to team Alpha.\n");
}

TEST(CtlRoster, MissingFileReportsAndPrintsTheEmptyRoster) {
    test::GameDir game;
    const auto run = runRoster(game.str());
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "Could not find bots.cfg.\n");
    EXPECT_EQ(run.out, "[bots]\r\n[teams]\r\n[view weapons]\r\n");
    EXPECT_FALSE(std::filesystem::exists(game / "vantor/bots.cfg"));
}

TEST(CtlRoster, UnreadableFileAndArgumentsFail) {
    test::GameDir game;
    const auto path = game.write("vantor/bots.cfg", "[bots]\n");
    std::filesystem::resize_file(path, kMaxTextFileSize + 1);
    const auto unreadable = runRoster(game.str());
    EXPECT_EQ(unreadable.code, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_EQ(unreadable.err, "Cannot open file " + path + ".\n");

    const auto extra = runRoster(game.str(), {"extra"});
    EXPECT_EQ(extra.code, 2);
    EXPECT_EQ(extra.out, "");
    EXPECT_NE(extra.err, "");
}

}  // namespace
}  // namespace wyn
