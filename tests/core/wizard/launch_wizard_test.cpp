#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "wizard/launch_wizard.h"
#include "wizard_fixture.h"

namespace wyn {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using GT = WizardGameType;
using Lines = std::vector<std::string>;

class LaunchWizardTest : public test::WizardTest {};

TEST_F(LaunchWizardTest, OpensWithDefaultsAndTheMainWindowsLists) {
    const auto& a = open().answers();
    EXPECT_EQ(wizard->page(), kIntroPage);
    EXPECT_EQ(a.gameType, GT::Deathmatch);
    EXPECT_THAT(a.maps.items(), ElementsAre("q2dm1", "q2dm2", "q2ctf1", "q2dm1", "mymap"));
    EXPECT_EQ(a.maps.selected(), 0u);
    EXPECT_EQ(a.botMode, WizardBotMode::Specific);
    EXPECT_THAT(a.bots.items(), ElementsAre("Alpha", "Bravo", "Charlie"));
    EXPECT_THAT(a.bots.checkedNames(), ElementsAre("Bravo"));
    EXPECT_EQ(a.botCount, "0");
    EXPECT_EQ(a.playersPerTeam, "2");
    EXPECT_EQ(a.yourTeam, "Red");
    EXPECT_THAT(a.yourTeamItems, ElementsAre("Red", "Blue", "Green"));
    EXPECT_THAT(a.botTeams.items(), ElementsAre("Red", "Blue", "Green"));
    EXPECT_THAT(a.botTeams.checkedNames(), IsEmpty());
    EXPECT_FALSE(a.closeOnLaunch);
    EXPECT_FALSE(wizard->botNumEnabled());
    EXPECT_TRUE(wizard->botsListEnabled());
    EXPECT_FALSE(wizard->ctfTextShown());
    EXPECT_THAT(wizardBotCountItems(), ::testing::SizeIs(31));
    EXPECT_EQ(wizardBotCountItems().back(), "30");
    EXPECT_THAT(wizardPlayersPerTeamItems(), ::testing::SizeIs(12));
    EXPECT_EQ(wizardPlayersPerTeamItems().front(), "1");
}

TEST_F(LaunchWizardTest, EmptyMainWindowListsGiveNoSelection) {
    for (const auto type : kMapTypes) {
        s.setMapItems(type, {});
    }
    s.setRoster({}, {});
    const auto& a = open().answers();
    EXPECT_FALSE(a.maps.hasSelection());
    EXPECT_EQ(a.yourTeam, "");
    EXPECT_THAT(a.bots.items(), IsEmpty());
}

TEST_F(LaunchWizardTest, WizardMarksStayInTheWizard) {
    open().setBotChecked(0, true);
    wizard->setBotChecked(7, true);  // out of range: nothing
    EXPECT_THAT(wizard->answers().bots.checkedNames(), ElementsAre("Alpha", "Bravo"));
    EXPECT_THAT(s.bots().checkedNames(), ElementsAre("Bravo"));
}

TEST_F(LaunchWizardTest, FrameworkAsTheWizardUsesIt) {
    EXPECT_EQ(kWizardCaption, "WYN Wizard");
    using B = AssistentButton;
    using State = AssistentButtonState;
    const auto& first = open().WizardAssistent();
    EXPECT_EQ(first.numPages(), 6);
    EXPECT_EQ(first.button(B::Back), (State{"< &Back", true, false, false}));
    EXPECT_EQ(first.button(B::Next), (State{"&Next >", true, true, true}));
    EXPECT_EQ(first.button(B::Cancel), (State{"&Cancel", true, true, false}));

    // Back, Launch, Cancel on the launch page; Launch is still Enter's button.
    const auto& last = toLaunchPage(GT::Deathmatch).WizardAssistent();
    EXPECT_EQ(last.button(B::Back), (State{"< &Back", true, true, false}));
    EXPECT_EQ(last.button(B::Next), (State{"&Launch", true, true, true}));
    EXPECT_EQ(last.button(B::Cancel), (State{"&Cancel", true, true, false}));
}

struct PathCase {
    GT type;
    std::vector<int> forward;  // pages after 1
};

TEST_F(LaunchWizardTest, PageOrderAndBackRetraceTheVisitedPages) {
    const std::vector<PathCase> cases{
        {GT::Deathmatch, {2, 3, 4, 6}},
        {GT::CaptureTheFlag, {2, 3, 4, 6}},
        {GT::DeathmatchWithTeams, {2, 3, 5, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(wizardGameTypeName(c.type));
        auto& w = toLaunchPage(c.type);
        EXPECT_EQ(w.page(), kLaunchPage);
        EXPECT_THAT(w.WizardAssistent().history(),
                    ElementsAre(1, c.forward[0], c.forward[1], c.forward[2]));
        for (auto it = c.forward.rbegin() + 1; it != c.forward.rend(); ++it) {
            w.back();
            EXPECT_EQ(w.page(), *it);
        }
        w.back();
        EXPECT_EQ(w.page(), kIntroPage);
        w.back();  // disabled on the first page
        EXPECT_EQ(w.page(), kIntroPage);
        EXPECT_THAT(prompts.errors, IsEmpty());
    }
}

TEST_F(LaunchWizardTest, CtfNoteFollowsTheGameTypeChosenLast) {
    auto& w = toOpponentPage(GT::CaptureTheFlag);
    EXPECT_TRUE(w.ctfTextShown());
    w.back();
    w.back();
    EXPECT_EQ(w.page(), kGameTypePage);
    w.setGameType(GT::Deathmatch);
    w.next();
    EXPECT_FALSE(w.ctfTextShown());
}

TEST_F(LaunchWizardTest, MapPageCannotBeLeftWithoutAMapForAnyType) {
    for (const auto type : kMapTypes) {
        s.setMapItems(type, {});
    }
    for (const auto type : {GT::Deathmatch, GT::DeathmatchWithTeams, GT::CaptureTheFlag}) {
        prompts.errors.clear();
        auto& w = toOpponentPage(type);
        EXPECT_EQ(w.page(), kMapPage);
        EXPECT_THAT(prompts.errors, ElementsAre("Please select a starting map."));
        EXPECT_THAT(w.WizardAssistent().history(), ElementsAre(1, 2));
    }
}

struct BotPageCase {
    WizardBotMode mode;
    std::vector<int> marks;
    std::string count;
    Lines errors;
    Lines launcher;
};

TEST_F(LaunchWizardTest, BotPageChecks) {
    const std::vector<BotPageCase> cases{
        {WizardBotMode::Specific, {}, "0", {"Please select at least one bot to play against."}, {}},
        {WizardBotMode::Specific, {0, 2}, "", {}, {"sv bots Alpha Charlie"}},
        {WizardBotMode::Random, {}, "", {"Please select a number of bots to play against."}, {}},
        {WizardBotMode::Random, {0}, "0", {}, {}},
        {WizardBotMode::Random, {}, "many", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        prompts.errors.clear();
        auto& w = toOpponentPage(GT::Deathmatch);
        w.setBotChecked(1, false);
        for (const int i : c.marks) {
            w.setBotChecked(i, true);
        }
        c.mode == WizardBotMode::Random ? w.RandomRadioClick() : w.SpecificRadioClick();
        w.setBotCount(c.count);
        w.next();
        EXPECT_THAT(prompts.errors, ElementsAreArray(c.errors));
        EXPECT_EQ(w.page(), c.errors.empty() ? kLaunchPage : kBotPage);
        EXPECT_EQ(w.launcherLines(), c.launcher);
    }
}

struct TeamPageCase {
    std::string yourTeam;
    std::string players;
    bool markTeam;
    Lines errors;
};

TEST_F(LaunchWizardTest, TeamPageChecksEachShowTheirOwnMessageInOrder) {
    const std::string team = "Please select a team to join.";
    const std::string players = "Please select a maximum number of players allowed on each team.";
    const std::string teams = "Please select at least one team to play against.";
    const std::vector<TeamPageCase> cases{
        {"", "", false, {team, players, teams}},
        {"", "2", true, {team}},
        {"Red", "", true, {players}},
        {"Red", "2", false, {teams}},
        {"Red", "", false, {players, teams}},
    };
    for (const auto& c : cases) {
        prompts.errors.clear();
        auto& w = toOpponentPage(GT::DeathmatchWithTeams);
        w.setYourTeam(c.yourTeam);
        w.setPlayersPerTeam(c.players);
        w.setBotTeamChecked(1, c.markTeam);
        w.next();
        EXPECT_THAT(prompts.errors, ElementsAreArray(c.errors));
        EXPECT_EQ(w.page(), kTeamPage);
        EXPECT_THAT(w.launcherLines(), IsEmpty());
        w.back();  // the refused move left the history as it was
        EXPECT_EQ(w.page(), kMapPage);
    }
}

TEST_F(LaunchWizardTest, TeamPageLauncherLines) {
    auto& w = toLaunchPage(GT::DeathmatchWithTeams);
    EXPECT_THAT(w.launcherLines(), ElementsAre("cmd join Blue", "sv teams Red Green"));
}

TEST_F(LaunchWizardTest, SummaryForms) {
    EXPECT_THAT(toLaunchPage(GT::Deathmatch).summary(),
                ElementsAre("Game Type:  Deathmatch", "", "Initial Map:  q2dm1", "",
                            "Opponent Bots:  Alpha, Charlie"));

    auto& ctf = toOpponentPage(GT::CaptureTheFlag, 2);
    ctf.RandomRadioClick();
    ctf.setBotCount("4");
    ctf.next();
    EXPECT_THAT(ctf.summary(),
                ElementsAre("Game Type:  Capture the Flag", "", "Initial Map:  q2ctf1", "",
                            "Number of opponent bots:  4"));

    EXPECT_THAT(toLaunchPage(GT::DeathmatchWithTeams, 4).summary(),
                ElementsAre("Game Type:  Deathmatch with Teams", "", "Initial Map:  mymap", "",
                            "Maximum Number of Players per Team:  3", "", "Your Team:  Blue", "",
                            "Opponent Teams:  Red, Green"));
}

TEST(WizardOpponentList, CommasAndBlanks) {
    const std::vector<std::pair<Lines, std::string>> cases{
        {{}, ""},
        {{"A"}, "A"},
        {{"A", "B", "C"}, "A, B, C"},
        {{"A,", "B,,"}, "A,, B"},  // every comma at the very end goes
        {{"", "B"}, ", B"},
    };
    for (const auto& [names, expected] : cases) {
        EXPECT_EQ(wizardOpponentList(names), expected);
    }
}

TEST_F(LaunchWizardTest, GoingBackAndChangingOpponentsRebuildsLinesAndSummary) {
    auto& w = toLaunchPage(GT::Deathmatch);
    w.back();
    w.RandomRadioClick();
    w.setBotCount("5");
    w.next();
    EXPECT_THAT(w.launcherLines(), IsEmpty());
    EXPECT_EQ(w.summary().back(), "Number of opponent bots:  5");
}

TEST_F(LaunchWizardTest, BotModeRadiosSwitchTheirControlsOnly) {
    auto& w = open();
    w.RandomRadioClick();
    EXPECT_TRUE(w.botNumEnabled());
    EXPECT_FALSE(w.botsListEnabled());
    w.SpecificRadioClick();
    EXPECT_FALSE(w.botNumEnabled());
    EXPECT_TRUE(w.botsListEnabled());
    EXPECT_THAT(w.answers().bots.checkedNames(), ElementsAre("Bravo"));
    EXPECT_EQ(w.answers().botCount, "0");
}

// Which entry a seed gives is the standard library's affair: the pick is
// pinned where one map leaves no choice, and otherwise by what any uniform pick
// does (the same seed, the same entry; across seeds, every entry).
TEST_F(LaunchWizardTest, RandomMapReachesEveryEntryAndFollowsItsSeed) {
    auto& w = open();
    const auto& maps = w.answers().maps;
    w.selectMap(std::nullopt);
    ASSERT_FALSE(maps.hasSelection());
    std::set<std::size_t> picked;
    for (unsigned seed = 0; seed < 100; ++seed) {
        w.RandomButtonClick(seed);
        ASSERT_TRUE(maps.hasSelection()) << seed;
        const std::size_t index = *maps.selected();
        picked.insert(index);
        w.selectMap(std::nullopt);
        w.RandomButtonClick(seed);
        EXPECT_EQ(maps.selected(), index) << seed;
    }
    // Five entries, "q2dm1" twice: both of its rows come up.
    EXPECT_EQ(picked, (std::set<std::size_t>{0, 1, 2, 3, 4}));
}

TEST_F(LaunchWizardTest, RandomMapOfOneMapOrNone) {
    struct Case {
        std::vector<std::string> general;
        Selection expected;
    };
    for (const auto& c : {Case{{"solo"}, 0}, Case{{}, std::nullopt}}) {
        s.setMapItems(MapType::General, c.general);
        s.setMapItems(MapType::CTF, {});
        s.setMapItems(MapType::External, {});
        auto& w = open();
        w.selectMap(std::nullopt);
        w.RandomButtonClick(3);
        EXPECT_EQ(w.answers().maps.selected(), c.expected);
    }
}

TEST_F(LaunchWizardTest, BotProfileEditorRefillsBotsAndTeamsKeepingWizardMarks) {
    auto& w = open();
    w.setBotChecked(0, true);
    w.setBotTeamChecked(2, true);
    w.setYourTeam("Blue");
    // The editor renames Alpha, drops Bravo and a team, and refills the main window.
    prompts.whileEditingBots = [this] {
        s.setRoster({"alpha", "Delta", "Charlie"}, {"Green", "Red"});
    };
    w.BotsCFGButtonClick();
    EXPECT_THAT(w.answers().bots.items(), ElementsAre("alpha", "Delta", "Charlie"));
    EXPECT_THAT(w.answers().bots.checkedNames(), ElementsAre("alpha"));
    EXPECT_THAT(w.answers().yourTeamItems, ElementsAre("Green", "Red"));
    EXPECT_THAT(w.answers().botTeams.checkedNames(), ElementsAre("Green"));
    EXPECT_EQ(w.answers().yourTeam, "Blue");  // a typed text stays as typed
    w.EditTeamsButtonClick();
    EXPECT_EQ(prompts.questions, Lines(2, "Bot profile editor"));
    w.MapCycleButtonClick();  // maps.txt feeds no list: nothing to refill
    EXPECT_EQ(prompts.questions.back(), "Map cycle editor");
}

TEST_F(LaunchWizardTest, CancelClosesOnEveryPageWithoutWriting) {
    for (const int page : {1, 2, 3, 4, 6}) {
        auto& w = toLaunchPage(GT::Deathmatch);
        while (w.page() != page) {
            w.back();
        }
        w.cancel();
        EXPECT_TRUE(w.closed());
    }
    EXPECT_THAT(starter.requests, IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(game / "vantor/wyn.cfg"));
}

}  // namespace
}  // namespace wyn
