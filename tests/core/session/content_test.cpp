#include <gtest/gtest.h>

#include <set>

#include "base/text.h"
#include "bots/player_models.h"
#include "content/installation.h"
#include "content/map_catalogue.h"
#include "session/session_settings.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;
const PlatformProfile& posix = PlatformProfile::native();

TEST(Installation, FindAndCheck) {
    test::TempDir dir;
    EXPECT_EQ(CheckInstallation(dir.str(), posix), Installation::None);
    dir.mkdir("vantor");
    EXPECT_EQ(CheckInstallation(dir.str(), posix), Installation::None);
    dir.write("quake2");
    EXPECT_EQ(CheckInstallation(dir.str(), posix), Installation::Full);
    std::filesystem::remove(dir / "vantor");
    EXPECT_EQ(CheckInstallation(dir.str(), posix), Installation::GameOnly);
    EXPECT_TRUE(FindInDirectory("quake2", dir.str() + "/", posix));  // no second separator
    EXPECT_FALSE(FindInDirectory("quake2", dir.str() + "/missing", posix));
}

TEST(MapScan, KnownPaksAndLooseMaps) {
    test::GameDir game;
    game.write("baseq2/pak0.pak");
    game.write("ctf/pak0.pak");  // no copy in vantor: no CTF maps
    game.write("lmctf/pak5.pak");
    game.write("vantor/pak5.pak");
    game.write("baseq2/maps/Q2DM1.BSP");  // capitals: lower case, no extension
    game.write("baseq2/maps/a.bsp.bsp");  // the second ".bsp" stays
    game.write("baseq2/maps/notes.txt");
    const auto lists = ScanMaps(game.str(), posix);
    ASSERT_TRUE(lists);
    const auto& general = (*lists)[0];
    ASSERT_EQ(general.size(), 39u);
    EXPECT_EQ(general.front(), "base1");
    EXPECT_EQ(general.back(), "waste3");
    EXPECT_EQ((*lists)[1], (Names{"lmctf01", "lmctf02", "lmctf03", "lmctf04", "lmctf05", "lmctf06",
                                  "lmctf07", "lmctf08", "lmctf09", "lmctf10"}));
    EXPECT_EQ((*lists)[2], (Names{"a.bsp", "q2dm1"}));
    EXPECT_FALSE(ScanMaps(game / "missing", posix));
}

TEST(MapScan, PakOneAndLooseCopyAppearTwice) {
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    game.write("baseq2/maps/q2dm1.bsp");
    const auto lists = ScanMaps(game.str(), posix);
    EXPECT_EQ((*lists)[0].front(), "q2dm1");
    EXPECT_EQ((*lists)[2], Names{"q2dm1"});
}

TEST(ExtraConfigs, LeavesOutOnlyTheGamesOwnScripts) {
    test::GameDir game;
    for (const char* file : {"CONFIG.CFG", "gamespy.cfg", "AutoExec.cfg", "myconfig.cfg",
                             "autoexec2.cfg", "Server.CFG", "readme.txt"}) {
        game.write(std::string("baseq2/") + file);
    }
    EXPECT_EQ(ListExtraConfigs(game.str(), posix), (Names{"autoexec2", "myconfig", "server"}));
}

// A folder of a case-sensitive file system may hold q2dm1.bsp and Q2DM1.BSP;
// the game on Windows and every list show them as one, in one folder or two.
TEST(Listings, NamesThatDifferOnlyInCaseOnce) {
    test::GameDir user;
    test::GameDir game;
    for (const auto* folder : {&user, &game}) {
        for (const char* file : {"maps/q2dm1.bsp", "maps/Q2DM1.BSP", "a.cfg", "A.CFG",
                                 "players/male/grunt.pcx", "players/male/GRUNT.PCX"}) {
            folder->write(std::string("baseq2/") + file);
        }
    }
    user.mkdir("baseq2/players/Male");
    game.mkdir("baseq2/players/MALE");
    for (const auto& roots : {Names{game.str()}, Names{user.str(), game.str()}}) {
        EXPECT_EQ(listLooseMaps(roots, posix), Names{"q2dm1"});
        EXPECT_EQ(ListExtraConfigs(roots, posix), Names{"a"});
        EXPECT_EQ(ListSkins(roots, "male", posix), Names{"grunt"});
        ASSERT_EQ(ListPlayerModels(roots, posix).size(), 1u);
        // As the folder read first spells it.
        EXPECT_TRUE(equalsIgnoringCase(ListPlayerModels(roots, posix).front(), "male"));
        EXPECT_TRUE(roots.size() == 1 || ListPlayerModels(roots, posix).front() != "MALE");
    }
    // Names the listing's order no longer keeps together, once the extension is gone.
    test::GameDir odd;
    for (const char* file : {".bspx.bsp", "m.bsp", "X.BSP.bsp"}) {
        odd.write(std::string("baseq2/maps/") + file);
    }
    EXPECT_EQ(listLooseMaps(Names{odd.str()}, posix), (Names{"x.bsp", "m"}));
}

class DirectoryReaction : public ::testing::Test {
protected:
    test::GameDir game;
    SessionSettings s{posix};
    test::FakePrompts prompts;

    void SetUp() override {
        game.write("baseq2/pak1.pak");
        game.write("baseq2/server.cfg");
        game.write("vantor/bots.cfg",
                   "[bots]\n\"A\" \"/\" 3 3 3 5 0 0 100\n\"B\" \"/\" 3 3 3 5 0 0 100\n"
                   "[teams]\n\"T1\" \"\" \"\" [\"A\"]\n");
        s.setDirectoryPrompt(&prompts);
        s.setText(F::DirectoryEdit, game.str());
    }
};

TEST_F(DirectoryReaction, ReadsEveryList) {
    EXPECT_EQ(s.bots().items(), (Names{"A", "B"}));
    EXPECT_EQ(s.botTeams().items(), Names{"T1"});
    EXPECT_EQ(s.yourTeamItems(), Names{"T1"});
    EXPECT_EQ(s.configItems(), Names{"server"});
    EXPECT_EQ(s.mapList(MapType::General).items().size(), 8u);
    EXPECT_FALSE(s.mapList(MapType::General).hasSelection());  // a rescan selects nothing
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(DirectoryReaction, ExecutableChangeReloadsAndDropsChecks) {
    s.setBotChecked(0, true);
    s.setText(F::YourTeamComboBox, "T1");
    s.setText(F::FilenameEdit, "other");
    EXPECT_EQ(s.bots().checkedNames(), Names{});
    EXPECT_EQ(s.text(F::YourTeamComboBox), "");
}

TEST_F(DirectoryReaction, MissingRosterEmptiesTheLists) {
    std::filesystem::remove(game / "vantor/bots.cfg");
    s.setText(F::FilenameEdit, "other");
    EXPECT_EQ(s.bots().items(), Names{});
    EXPECT_EQ(s.yourTeamItems(), Names{});
}

TEST_F(DirectoryReaction, DirectoryWithoutBaseq2AsksForAnother) {
    test::TempDir other;
    prompts.answers = {game.str()};
    s.setText(F::DirectoryEdit, other.str());
    EXPECT_EQ(prompts.questions, Names{"Please locate your Quake II directory|Quake II Directory|" +
                                       posix.defaultGameDirectory});
    EXPECT_EQ(s.gameDirectory(), game.str());
}

TEST_F(DirectoryReaction, CancelledPromptPutsTheDefaultAndStops) {
    s.setText(F::DirectoryEdit, game / "nothing");
    // Cancelled: the default goes in; it has no baseq2 either, so one more
    // prompt comes, and its cancel puts the same text, which ends it.
    EXPECT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(s.gameDirectory(), posix.defaultGameDirectory);
    EXPECT_EQ(s.configItems(), Names{"server"});  // the last usable directory's items stay
}

TEST_F(DirectoryReaction, RefreshSelectsTheFirstMap) {
    ASSERT_FALSE(s.mapList(MapType::General).hasSelection());
    s.refreshMaps();
    EXPECT_EQ(s.mapList(MapType::General).selected(), 0u);
    EXPECT_NE(s.commandLine().find(" +map q2dm1"), std::string::npos);
}

// Which entry a seed gives is the standard library's affair, so the pick is
// pinned where no choice is left (one map) and otherwise by what any uniform
// pick does: the same seed gives the same entry, and across seeds every entry
// comes up.
TEST_F(DirectoryReaction, RandomMapPicksFromTheCheckedRadiosListOnly) {
    struct Case {
        Field radio;
        MapType list;
        const char* map;
    };
    for (const auto& c : {Case{F::GeneralMapsRadio, MapType::General, "solo_dm"},
                          Case{F::CTFMapsRadio, MapType::CTF, "solo_ctf"},
                          Case{F::ExternalMapsRadio, MapType::External, "solo_ext"}}) {
        s.setMapItems(MapType::General, {"solo_dm"});
        s.setMapItems(MapType::CTF, {"solo_ctf"});
        s.setMapItems(MapType::External, {"solo_ext"});
        s.chooseRadio(c.radio);
        s.randomMap(99);
        for (const auto type : kMapTypes) {
            EXPECT_EQ(s.mapList(type).selected(), type == c.list ? Selection(0) : std::nullopt)
                << c.map;
        }
        EXPECT_NE(s.commandLine().find(std::string(" +map ") + c.map), std::string::npos)
            << s.commandLine();
    }
}

TEST_F(DirectoryReaction, RandomMapReachesEveryEntryAndFollowsItsSeed) {
    auto& general = s.mapList(MapType::General);
    ASSERT_EQ(general.items().size(), 8u);
    s.selectMap(MapType::General, 7);
    std::set<std::string> picked;
    for (unsigned seed = 0; seed < 100; ++seed) {
        s.randomMap(seed);
        ASSERT_TRUE(general.hasSelection()) << seed;
        const std::string map = general.selection();
        picked.insert(map);
        EXPECT_NE(s.commandLine().find(" +map " + map), std::string::npos) << seed;
        s.selectMap(MapType::General, std::nullopt);
        s.randomMap(seed);
        EXPECT_EQ(general.selection(), map) << seed;
    }
    EXPECT_EQ(picked, (std::set<std::string>{"q2dm1", "q2dm2", "q2dm3", "q2dm4", "q2dm5", "q2dm6",
                                             "q2dm7", "q2dm8"}));
}

TEST_F(DirectoryReaction, RandomMapFromAnEmptyListSelectsNothing) {
    s.refreshMaps();
    s.chooseRadio(F::CTFMapsRadio);
    ASSERT_TRUE(s.mapList(MapType::CTF).items().empty());
    s.randomMap(1);
    EXPECT_FALSE(s.mapList(MapType::CTF).hasSelection());
    EXPECT_EQ(s.mapList(MapType::General).selected(), 0u);  // the other lists keep theirs
}

TEST_F(DirectoryReaction, ExternalMapChoosesTheTeamLayout) {
    game.write("baseq2/maps/xctfy.bsp");
    game.write("baseq2/maps/dm.bsp");
    s.refreshMaps();
    s.chooseRadio(F::ExternalMapsRadio);
    s.userSelectMap(MapType::External, 1);
    EXPECT_EQ(s.teamLayout(), TeamLayout::RedBlue);
    s.userSelectMap(MapType::External, 0);
    EXPECT_EQ(s.teamLayout(), TeamLayout::TeamChoice);
}

}  // namespace
}  // namespace wyn

namespace wyn {
namespace {

// The notice says what a change changed, so that a window redraws only that.
TEST(SessionChangeNotice, SaysWhichFieldsListsAndViewChanged) {
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    game.write("baseq2/maps/mine.bsp");
    game.write("vantor/bots.cfg", "\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n");
    SessionSettings s(PlatformProfile::native());
    s.setText(F::DirectoryEdit, game.str());
    std::vector<SessionChange> heard;
    auto connection = s.onChange([&](const SessionChange& c) { heard.push_back(c); });

    s.setChecked(F::FragLimitCheckBox, true);
    ASSERT_EQ(heard.size(), 1u);
    const auto frag = static_cast<std::size_t>(F::FragLimitCheckBox);
    const auto fragCombo = static_cast<std::size_t>(F::FragLimitComboBox);
    EXPECT_EQ(heard[0].checked.count(), 1u);
    EXPECT_TRUE(heard[0].checked[frag]);
    EXPECT_EQ(heard[0].enabled.count(), 1u);
    EXPECT_TRUE(heard[0].enabled[fragCombo]);
    EXPECT_TRUE(heard[0].preview);  // " +set fraglimit 0"
    EXPECT_TRUE(heard[0].view);
    EXPECT_FALSE(heard[0].text.any());
    EXPECT_FALSE(heard[0].list(SessionList::GeneralMapsListBox).any());

    // A rescan that finds the same maps only drops the selection: a list view
    // keeps its entries and scroll position.
    heard.clear();
    s.userSelectMap(MapType::General, 2);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].list(SessionList::GeneralMapsListBox).selection);
    EXPECT_FALSE(heard[0].list(SessionList::GeneralMapsListBox).items);
    heard.clear();
    s.setText(F::FilenameEdit, "other");  // re-reads the directory
    ASSERT_EQ(heard.size(), 1u);
    const auto& general = heard[0].list(SessionList::GeneralMapsListBox);
    EXPECT_TRUE(general.selection);
    EXPECT_FALSE(general.items);
    EXPECT_FALSE(heard[0].list(SessionList::BotsListBox).items);  // the same bots.cfg
    EXPECT_TRUE(heard[0].text[static_cast<std::size_t>(F::FilenameEdit)]);

    // Several changes as one: one notice.
    heard.clear();
    s.change([&] {
        s.setChecked(F::LogCheckBox, true);
        s.setChecked(F::DedicatedCheckBox, true);
    });
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].checked.count(), 2u);
}

}  // namespace
}  // namespace wyn
