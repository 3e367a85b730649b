#include <gtest/gtest.h>

#include "base/text_file.h"
#include "bots/roster_file.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Names = std::vector<std::string>;

BotProfile bot(const std::string& name, const std::string& model = "",
               const std::string& skin = "") {
    BotProfile profile;
    profile.name = name;
    profile.model = model;
    profile.skin = skin;
    return profile;
}

TeamProfile team(const std::string& name, const std::string& members, const std::string& id = "",
                 const std::string& model = "", const std::string& skin = "") {
    return {name, id, model, skin, members};
}

TEST(RosterFile, ReadsAllThreeSections) {
    const auto roster = rosterFromLines(
        splitLines("; comment\r\n\"Early\" \"m/s\" 1 2 3 4 5 6 7\r\n[bots]\r\n"
                   "\"Bot1\" \"male/grunt\" 3 3 3 1 0 0 100 extra\r\n  \"Indented\" \"/\" 1\r\n"
                   "[teams]\r\n\"Red\" \"RED\" [\"A\" \"B\"]\r\n\"Alpha\" \"ALF\" \"male/grunt\" "
                   "[\"Bot1\"]]\r\n"
                   "\"Odd\" \"O\" \"\" [A] \r\n[view weapons]\r\n\"male\"\r\nfemale\r\n"));
    ASSERT_EQ(roster.bots.size(), 2u);
    EXPECT_EQ(roster.bots[0].name, "Early");
    EXPECT_EQ(roster.bots[1],
              (BotProfile{"Bot1", "male", "grunt", "3", "3", "3", "1", "0", "0", "100"}));
    ASSERT_EQ(roster.teams.size(), 3u);
    EXPECT_EQ(roster.teams[0], (TeamProfile{"Red", "RED", "", "", "A B"}));
    EXPECT_EQ(roster.teams[1], (TeamProfile{"Alpha", "ALF", "male", "grunt", "Bot1"}));
    EXPECT_EQ(roster.teams[2].members, "A] ");
    EXPECT_EQ(roster.supporters, Names{"male"});
}

TEST(RosterFile, MarkersAreCaseSensitiveSubstrings) {
    const auto lines = splitLines("[bots]\n\"A\" \"/\"\n[Teams]\n\"B\" \"/\"\n");
    EXPECT_EQ(botNamesFromLines(lines), (Names{"A", "B"}));
    EXPECT_EQ(teamNamesFromLines(lines), Names{});
    const auto marked =
        splitLines("x [teams] y\n\"T\" \"I\" [\"m\"]\nno [view weapons] here\n\"v\"\n");
    EXPECT_EQ(teamNamesFromLines(marked), Names{"T"});
    EXPECT_EQ(rosterFromLines(marked).supporters, Names{"v"});
}

TEST(RosterFile, WritesTheCanonicalForm) {
    BotRoster roster;
    roster.bots = {bot("Bot1", "male", "grunt"), bot("Bot2")};
    roster.teams = {team("Alpha", " Bot1 Bot2", "ALF", "male", "grunt"),
                    team("Half", "Bot1  Bot2", "H", "male")};
    roster.supporters = {"male", "cyborg"};
    const auto text = rosterLines(roster);
    ASSERT_FALSE(text.teamWithoutMembers);
    EXPECT_EQ(text.lines, (Names{"[bots]", "\"Bot1\" \"male/grunt\" 3 3 3 5 0 0 100",
                                 "\"Bot2\" \"/\" 3 3 3 5 0 0 100", "[teams]",
                                 "\"Alpha\" \"ALF\" \"male/grunt\" [\"Bot1\" \"Bot2\"]",
                                 "\"Half\" \"H\" \"\" [\"Bot1\"  \"Bot2\"]", "[view weapons]",
                                 "\"male\"", "\"cyborg\""}));
    EXPECT_EQ(rosterFromLines(text.lines).teams[1].members, "Bot1  Bot2");
    EXPECT_EQ(rosterLines({}).lines, (Names{"[bots]", "[teams]", "[view weapons]"}));
}

TEST(RosterFile, TeamWithoutMembersBlocksTheWrite) {
    test::TempDir dir;
    dir.write("bots.cfg", "old");
    BotRoster roster;
    roster.teams = {team("Full", "A"), team("Alpha", ""), team("Beta", "")};
    EXPECT_EQ(WriteRoster(dir / "bots.cfg", roster), std::optional<std::string>("Alpha"));
    EXPECT_EQ(dir.read("bots.cfg"), "old");
}

TEST(RosterFile, WrittenFileRoundTripsByteForByte) {
    test::TempDir dir;
    BotRoster roster;
    roster.bots = {{"Bot1", "male", "grunt", "1", "2", "3", "1", "1", "0", "350"}, bot("Bot2")};
    roster.teams = {team("Red", "Bot1 x", "RED")};
    roster.supporters = {"male"};
    ASSERT_FALSE(WriteRoster(dir / "bots.cfg", roster));
    const auto first = dir.read("bots.cfg");
    const auto reread = ReadRoster(dir / "bots.cfg");
    EXPECT_EQ(reread, roster);
    ASSERT_FALSE(WriteRoster(dir / "bots.cfg", reread));
    EXPECT_EQ(dir.read("bots.cfg"), first);
    EXPECT_EQ(ReadBotNames(dir / "bots.cfg"), (Names{"Bot1", "Bot2"}));
    EXPECT_EQ(ReadTeamNames(dir / "bots.cfg"), Names{"Red"});
}

TEST(RosterFile, WeaponTable) {
    EXPECT_EQ(weaponName("0"), std::optional<std::string>("BFG10K"));
    EXPECT_EQ(weaponName("1"), std::nullopt);
    EXPECT_EQ(weaponCode("Railgun"), std::optional<std::string>("9"));
    EXPECT_EQ(weaponCode("railgun"), std::nullopt);
}

}  // namespace
}  // namespace wyn
