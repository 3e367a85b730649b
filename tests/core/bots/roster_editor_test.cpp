#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "base/errors.h"
#include "base/text_file.h"
#include "roster_editor_fixture.h"

namespace wyn::test {
namespace {

using Editor = RosterEditorTest;

TEST_F(Editor, OpeningShowsTheFirstBotAndTeam) {
    open();
    EXPECT_EQ(prompts.errors, Names{});
    EXPECT_EQ(editor.botNames(), (Names{"Bot1", "Bot2"}));
    EXPECT_EQ(editor.teamNames(), (Names{"Alpha", "Beta"}));
    EXPECT_EQ(editor.models(), (Names{"cyborg", "female", "male"}));

    EXPECT_EQ(editor.selectedBot(), 0u);
    const BotControls& bot = editor.botControls();
    EXPECT_EQ(bot.panelCaption, "Bot1");
    EXPECT_EQ(bot.name, "Bot1");
    EXPECT_EQ(bot.model, "male");
    EXPECT_EQ(bot.skin, "grunt");
    EXPECT_EQ(bot.accuracy, "4");
    EXPECT_EQ(bot.aggressiveness, "2");
    EXPECT_EQ(bot.combatSkills, "5");
    EXPECT_EQ(bot.favouriteWeapon, "Rocket Launcher");
    EXPECT_TRUE(bot.quadFreak);
    EXPECT_FALSE(bot.camper);
    EXPECT_EQ(bot.averagePing, "150");
    EXPECT_EQ(bot.skinItems, (Names{"cobalt", "grunt"}));
    EXPECT_EQ(bot.previewPath, icon("male", "grunt"));
    EXPECT_FALSE(bot.coverShown);

    EXPECT_EQ(editor.selectedTeam(), 0u);
    const TeamControls& team = editor.teamControls();
    EXPECT_EQ(team.panelCaption, "Alpha");
    EXPECT_EQ(team.id, "ALF");
    EXPECT_EQ(team.skinItems, (Names{"cobalt", "grunt"}));
    EXPECT_EQ(editor.currentMembers().items(), (Names{"Bot1", "Bot2"}));
    EXPECT_FALSE(editor.currentMembers().hasSelection());
    EXPECT_EQ(editor.selectedAvailableMember(), 0u);

    EXPECT_EQ(editor.currentSupporters().items(), Names{"Male"});
    EXPECT_FALSE(editor.currentSupporters().hasSelection());
    EXPECT_EQ(editor.availableSupporters().items(), (Names{"cyborg", "female"}));
    EXPECT_EQ(editor.availableSupporters().selected(), 0);
}

TEST_F(Editor, MissingFileOpensEmptyAndOkWritesOnlyWhatWasAdded) {
    editor.open();
    EXPECT_EQ(prompts.errors, Names{"Could not find bots.cfg."});
    EXPECT_EQ(editor.botNames(), Names{});
    EXPECT_EQ(editor.models(), Names{});  // not even the installed ones
    EXPECT_EQ(editor.availableSupporters().items(), Names{});
    EXPECT_FALSE(editor.selectedBot());
    EXPECT_EQ(editor.botControls().favouriteWeapon, "Grenade Launcher");
    EXPECT_EQ(editor.botControls().accuracy, "1");
    EXPECT_TRUE(editor.botControls().coverShown);

    prompts.answers = {"Bot1"};
    editor.newBot();
    ASSERT_TRUE(save());
    EXPECT_EQ(file(), "[bots]\r\n\"Bot1\" \"/\" 3 3 3 5 0 0 100\r\n[teams]\r\n[view weapons]\r\n");
}

TEST_F(Editor, NewBotAsksAndRefusesBlanks) {
    open();
    struct Case {
        std::optional<std::string> answer;
        Names errors;
        Names bots;
    };
    const Case cases[] = {
        {"Bot 3", {"Spaces are not allow in bot names."}, {"Bot1", "Bot2"}},
        {std::nullopt, {}, {"Bot1", "Bot2"}},      // cancelled
        {"", {}, {"Bot1", "Bot2"}},                // empty: as cancelled
        {"Bo\"t3", {}, {"Bot1", "Bot2", "Bot3"}},  // a quote cannot be stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or("(cancel)"));
        prompts = {};
        prompts.answers = {c.answer};
        editor.selectBot(0);
        editor.newBot();
        EXPECT_EQ(prompts.questions, Names{"Add New Bot|Bot Name|"});
        EXPECT_EQ(prompts.errors, c.errors);
        EXPECT_EQ(editor.botNames(), c.bots);
        EXPECT_EQ(editor.selectedBot(), c.bots.size() == 3 ? 2u : 0u);
    }
}

TEST_F(Editor, NewBotHasTheDefaultsAndIsShown) {
    open();
    prompts.answers = {"Bot3"};
    editor.newBot();
    EXPECT_EQ(editor.selectedBot(), 2u);
    EXPECT_EQ(editor.roster().bots.back(),
              (BotProfile{"Bot3", "", "", "3", "3", "3", "5", "0", "0", "100"}));
    const BotControls& shown = editor.botControls();
    EXPECT_EQ(shown.panelCaption, "Bot3");
    EXPECT_EQ(shown.accuracy, "3");
    EXPECT_EQ(shown.favouriteWeapon, "Chaingun");
    EXPECT_FALSE(shown.quadFreak);
    EXPECT_EQ(shown.skinItems, Names{});
    EXPECT_TRUE(shown.coverShown);  // no look yet: Bot1's picture is covered
    EXPECT_EQ(editor.selectedAvailableMember(), 0u);

    editor.modelChanged("male");
    editor.skinChanged("grunt");
    EXPECT_EQ(fileLines()[3], "\"Bot3\" \"male/grunt\" 3 3 3 5 0 0 100");
}

TEST_F(Editor, WeaponCodeWithoutNameKeepsTheBoxAndIsWrittenBack) {
    open();
    editor.selectBot(1);
    EXPECT_EQ(editor.botControls().favouriteWeapon, "Rocket Launcher");  // Bot1's
    EXPECT_FALSE(editor.botControls().quadFreak);                        // "2" is not "1"
    editor.accuracyChanged("5");
    ASSERT_TRUE(save());
    EXPECT_NE(file().find("\"Bot2\" \"female/athena\" 5 3 3 1 2 0 100\r\n"), std::string::npos);

    // Only one of the nine names changes the code; the box still shows the text.
    editor.favouriteWeaponChanged("Rocket");
    EXPECT_EQ(editor.roster().bots[1].favouriteWeapon, "1");
    EXPECT_EQ(editor.botControls().favouriteWeapon, "Rocket");
    editor.favouriteWeaponChanged("railgun");
    EXPECT_EQ(editor.roster().bots[1].favouriteWeapon, "1");
    editor.favouriteWeaponChanged("BFG10K");
    EXPECT_EQ(editor.roster().bots[1].favouriteWeapon, "0");
}

TEST_F(Editor, ShowingWritesNothingBack) {
    // A file this program wrote comes back byte for byte through open and OK,
    // also with values the controls cannot show (quad "2", ID "bt", weapon "1").
    game.write("vantor/bots.cfg", kTwoBots);
    editor.open();
    editor.selectBot(1);
    editor.selectTeam(1);
    editor.selectBot(0);
    ASSERT_TRUE(save());
    EXPECT_EQ(file(), kTwoBots);

    editor.selectBot(1);
    editor.quadClicked(false);
    editor.camperClicked(true);
    EXPECT_EQ(editor.roster().bots[1].quadFreak, "0");
    EXPECT_EQ(editor.roster().bots[1].camper, "1");
}

TEST_F(Editor, EditsChangeOnlyTheSelectedBot) {
    open();
    editor.botNameChanged("Ran ger\"");
    EXPECT_EQ(editor.botControls().name, "Ranger");  // a blank cannot be stored
    EXPECT_EQ(editor.botControls().panelCaption, "Ranger");
    EXPECT_EQ(editor.botNames(), (Names{"Ranger", "Bot2"}));
    EXPECT_EQ(editor.roster().teams[0].members, "Bot1 Bot2");  // members keep their names
    editor.averagePingChanged("250");
    editor.aggressivenessChanged("1");
    editor.combatSkillsChanged("2");
    EXPECT_EQ(fileLines()[1], "\"Ranger\" \"male/grunt\" 4 1 2 7 1 0 250");
    EXPECT_EQ(editor.roster().bots[1], ReadRoster(editor.path()).bots[1]);
}

TEST_F(Editor, ModelAndSkinRefreshSkinsAndPreview) {
    open();
    editor.modelChanged("fem");  // being typed: no directory
    EXPECT_EQ(editor.roster().bots[0].model, "fem");
    EXPECT_EQ(editor.botControls().skinItems, Names{});
    EXPECT_FALSE(editor.botControls().coverShown);  // the last picture stays
    EXPECT_EQ(editor.botControls().previewPath, icon("male", "grunt"));

    editor.modelChanged("female");  // skin is still "grunt": no icon
    EXPECT_EQ(editor.botControls().skinItems, Names{"athena"});
    EXPECT_TRUE(editor.botControls().coverShown);
    EXPECT_EQ(editor.botControls().skin, "grunt");  // the text is kept

    editor.skinChanged("athena");
    EXPECT_FALSE(editor.botControls().coverShown);
    EXPECT_EQ(editor.botControls().previewPath, icon("female", "athena"));
    editor.modelChanged("male/x");  // '/' would split model and skin in the file
    EXPECT_EQ(editor.roster().bots[0].model, "malex");
    editor.skinChanged("cobalt");  // no icon
    EXPECT_TRUE(editor.botControls().coverShown);

    // A bot whose model is not installed does not show the previous picture.
    open("[bots]\r\n\"A\" \"male/grunt\" 1 1 1 1 0 0 1\r\n\"B\" \"ghost/x\" 1 1 1 1 0 0 1\r\n");
    EXPECT_FALSE(editor.botControls().coverShown);
    editor.selectBot(1);
    EXPECT_TRUE(editor.botControls().coverShown);
    EXPECT_EQ(editor.botControls().skinItems, Names{});
}

TEST_F(Editor, DeletingBots) {
    open();
    editor.selectBot(1);
    editor.selectAvailableMember(1);
    editor.deleteBot();
    EXPECT_EQ(editor.botNames(), Names{"Bot1"});
    EXPECT_EQ(editor.selectedBot(), 0u);
    EXPECT_EQ(editor.selectedAvailableMember(), 0u);
    EXPECT_EQ(editor.botControls().name, "Bot1");
    EXPECT_EQ(editor.roster().teams[1].members, "Bot2");  // member lists stay

    editor.deleteBot();
    EXPECT_FALSE(editor.selectedBot());
    EXPECT_FALSE(editor.selectedAvailableMember());
    EXPECT_EQ(editor.botControls().panelCaption, "");  // Bot1 is no longer shown
    EXPECT_EQ(prompts.errors, Names{});

    editor.botNameChanged("Nobody");  // no bot selected: only the caption
    editor.deleteBot();
    EXPECT_EQ(prompts.errors, Names{"There are no more bots to delete."});
    const BotControls& reset = editor.botControls();
    EXPECT_EQ(reset.panelCaption, "");
    EXPECT_EQ(reset.name, "");
    EXPECT_EQ(reset.model, "");
    EXPECT_EQ(reset.accuracy, "1");
    EXPECT_EQ(reset.favouriteWeapon, "Chaingun");
    EXPECT_EQ(reset.averagePing, "100");
    EXPECT_TRUE(reset.coverShown);
    EXPECT_TRUE(editor.roster().bots.empty());
}

TEST_F(Editor, TeamsNewEditAndDelete) {
    open();
    prompts.answers = {"Team B", "Gamma"};
    editor.newTeam();
    EXPECT_EQ(prompts.errors, Names{"Spaces are not allow in team names."});
    editor.newTeam();
    EXPECT_EQ(prompts.questions, (Names{"Add New Team|Team Name|", "Add New Team|Team Name|"}));
    EXPECT_EQ(editor.teamNames(), (Names{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(editor.selectedTeam(), 2u);
    EXPECT_EQ(editor.teamControls().panelCaption, "Gamma");
    EXPECT_EQ(editor.teamControls().skinItems, Names{});
    EXPECT_TRUE(editor.currentMembers().items().empty());

    editor.teamIdChanged("gam ma");
    EXPECT_EQ(editor.teamControls().id, "GAMM");
    editor.teamModelChanged("female");
    EXPECT_EQ(editor.teamControls().skinItems, Names{"athena"});
    editor.teamSkinChanged("athena");
    editor.teamNameChanged("Delta");
    EXPECT_EQ(editor.roster().teams[2], (TeamProfile{"Delta", "GAMM", "female", "athena", ""}));
    editor.teamModelChanged("nothing");
    EXPECT_EQ(editor.teamControls().skinItems, Names{});

    editor.deleteTeam();
    EXPECT_EQ(editor.teamNames(), (Names{"Alpha", "Beta"}));
    EXPECT_EQ(editor.selectedTeam(), 0u);
    EXPECT_EQ(editor.teamControls().name, "Alpha");
    editor.deleteTeam();
    editor.deleteTeam();
    EXPECT_EQ(editor.teamControls().name, "");  // Beta is no longer shown
    EXPECT_EQ(prompts.errors.size(), 1u);
    editor.teamModelChanged("male");  // no team: the skins are not listed
    EXPECT_EQ(editor.teamControls().skinItems, Names{});
    editor.deleteTeam();
    EXPECT_EQ(prompts.errors.back(), "There are no more teams to delete.");
    EXPECT_EQ(editor.teamControls().model, "");
}

TEST_F(Editor, AddingMembers) {
    open();
    prompts.answers = {"Alpha2"};
    editor.newTeam();
    editor.selectAvailableMember(0);
    editor.addMember();
    EXPECT_EQ(editor.roster().teams[2].members, " Bot1");
    EXPECT_EQ(fileLines()[6], "\"Alpha2\" \"\" \"\" [\"Bot1\"]");
    editor.addMember();  // the same bot again
    EXPECT_EQ(editor.currentMembers().items(), (Names{"Bot1", "Bot1"}));
    EXPECT_EQ(fileLines()[6], "\"Alpha2\" \"\" \"\" [\"Bot1\" \"Bot1\"]");

    // Inserted before the selected member, and written in the order shown.
    editor.selectAvailableMember(1);
    editor.selectCurrentMember(1);
    editor.addMember();
    EXPECT_EQ(editor.currentMembers().items(), (Names{"Bot1", "Bot2", "Bot1"}));
    EXPECT_EQ(editor.currentMembers().selected(), 2);
    EXPECT_EQ(editor.roster().teams[2].members, "Bot1 Bot2 Bot1");

    editor.selectCurrentMember(0);
    editor.removeMember();
    EXPECT_EQ(editor.roster().teams[2].members, "Bot2 Bot1");
    EXPECT_FALSE(editor.currentMembers().hasSelection());
    editor.removeMember();  // nothing selected: nothing happens
    EXPECT_EQ(editor.currentMembers().items(), (Names{"Bot2", "Bot1"}));

    // Showing again: the leading and doubled blanks of a members text have no entry.
    open("[teams]\r\n\"T\" \"\" \"\" [\"A\"  \"B\"]\r\n");
    EXPECT_EQ(editor.roster().teams[0].members, "A  B");
    EXPECT_EQ(editor.currentMembers().items(), (Names{"A", "B"}));
    editor.addMember();  // no bots, so no available member
    EXPECT_EQ(editor.roster().teams[0].members, "A  B");
}

TEST_F(Editor, OtherMemberTakesAnyNameButNoBlank) {
    open();
    editor.selectTeam(1);
    prompts.answers = {"Some one", std::nullopt, "", "Stranger"};
    for (int i = 0; i < 4; ++i) {
        editor.otherMember();
    }
    EXPECT_EQ(prompts.questions.front(), "Insert other Team Member|Bot Name|");
    EXPECT_EQ(prompts.errors, Names{"Spaces are not allow in bot names."});
    EXPECT_EQ(editor.roster().teams[1].members, "Bot2 Stranger");
    EXPECT_EQ(editor.currentMembers().items(), (Names{"Bot2", "Stranger"}));

    editor.deleteTeam();
    editor.deleteTeam();
    prompts.answers.push_back("Late");
    editor.otherMember();  // no team: not even asked
    EXPECT_EQ(prompts.questions.size(), 4u);
}

TEST_F(Editor, NoNameOrLookCanHoldASectionMarker) {
    // Refused in the input boxes, as a blank is; nothing is added.
    open();
    prompts.answers = {"x[teams]", "[Red]", "a[b"};
    editor.newBot();
    editor.newTeam();
    editor.otherMember();
    EXPECT_EQ(prompts.errors,
              (Names{"A bot name cannot contain \"[\".", "A team name cannot contain \"[\".",
                     "A bot name cannot contain \"[\"."}));
    EXPECT_EQ(editor.botNames(), (Names{"Bot1", "Bot2"}));
    EXPECT_EQ(editor.teamNames(), (Names{"Alpha", "Beta"}));
    EXPECT_EQ(editor.roster().teams[0].members, "Bot1 Bot2");

    // Typed into the edits, the '[' is dropped as a blank is, in every field a
    // bot or team line holds; the file then reads back as the roster.
    editor.botNameChanged("Bot[teams]1");
    editor.modelChanged("male[view weapons]");
    editor.skinChanged("[bots]grunt");
    editor.accuracyChanged("4[teams]");
    editor.averagePingChanged("[150");
    editor.teamNameChanged("Al[pha");
    editor.teamIdChanged("[ab");
    editor.teamModelChanged("fe[male");
    editor.teamSkinChanged("ath[ena");
    const BotProfile& bot = editor.roster().bots[0];
    EXPECT_EQ(bot.name, "Botteams]1");
    EXPECT_EQ(bot.model, "maleviewweapons]");
    EXPECT_EQ(bot.skin, "bots]grunt");
    EXPECT_EQ(bot.accuracy, "4teams]");
    EXPECT_EQ(bot.averagePing, "150");
    EXPECT_EQ(editor.roster().teams[0],
              (TeamProfile{"Alpha", "AB", "female", "athena", "Bot1 Bot2"}));
    ASSERT_TRUE(save());
    EXPECT_EQ(ReadRoster(editor.path()), editor.roster());
}

TEST_F(Editor, MovingSupporters) {
    open();
    editor.selectAvailableSupporter(1);
    editor.addSupporter();  // female, appended: no current selection
    EXPECT_EQ(editor.currentSupporters().items(), (Names{"Male", "female"}));
    EXPECT_EQ(editor.availableSupporters().items(), Names{"cyborg"});
    EXPECT_FALSE(editor.availableSupporters().hasSelection());
    editor.addSupporter();  // nothing selected
    EXPECT_EQ(editor.currentSupporters().items().size(), 2u);

    editor.selectAvailableSupporter(0);
    editor.selectCurrentSupporter(0);
    editor.addSupporter();  // cyborg, before Male
    EXPECT_EQ(editor.roster().supporters, (Names{"cyborg", "Male", "female"}));
    EXPECT_EQ(editor.currentSupporters().selected(), 1);

    editor.removeSupporter();  // Male, appended to the empty available list
    EXPECT_EQ(editor.availableSupporters().items(), Names{"Male"});
    editor.selectAvailableSupporter(0);
    editor.selectCurrentSupporter(1);
    editor.removeSupporter();  // female, before Male
    EXPECT_EQ(editor.availableSupporters().items(), (Names{"female", "Male"}));
    EXPECT_EQ(editor.roster().supporters, Names{"cyborg"});
    EXPECT_EQ(fileLines().back(), "\"cyborg\"");
}

TEST_F(Editor, UnreadableFileThrows) {
    const auto path = game.write("vantor/bots.cfg", "[bots]\n");
    std::filesystem::resize_file(path, kMaxTextFileSize + 1);
    EXPECT_THROW(editor.open(), WynError);
}

}  // namespace
}  // namespace wyn::test

namespace wyn::test {
namespace {

TEST_F(RosterEditorTest, NoticesSayWhichTabAndListToRedraw) {
    open();
    std::vector<RosterChange> heard;
    auto connection = editor.onChange([&](const RosterChange& c) { heard.push_back(c); });
    editor.botNameChanged("Renamed");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].bot);
    EXPECT_TRUE(heard[0].bots.items);              // BotsListBox follows the rename
    EXPECT_TRUE(heard[0].availableMembers.items);  // and so does AvailableListBox
    EXPECT_FALSE(heard[0].team || heard[0].teams.any());

    heard.clear();
    editor.selectTeam(1);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].team && heard[0].teams.selection && heard[0].currentMembers.items);
    EXPECT_FALSE(heard[0].bot);

    heard.clear();
    editor.selectBot(7);  // out of range: nothing
    prompts.answers = {std::nullopt};
    editor.newBot();  // cancelled: nothing
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(save());
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].result);
}

}  // namespace
}  // namespace wyn::test

namespace wyn {
namespace {

using TextsByControl = std::map<std::string, std::string, std::less<>>;

TextsByControl byControl(const std::vector<ControlCaption>& table) {
    TextsByControl texts;
    for (const auto& [control, caption] : table) {
        EXPECT_TRUE(texts.emplace(control, caption).second) << control << " twice";
    }
    return texts;
}

// The dialog's own texts, written out: the window is built from the core's
// tables, so only literals here catch a misspelt one.
TEST(RosterEditorTexts, EveryCaptionAndLabelAsTheDialogShowsIt) {
    enum class Kind { Caption, Label };
    struct Row {
        const char* control;
        Kind kind;
        const char* text;
    };
    const std::vector<Row> rows{
        // Bots
        {"NewButton", Kind::Caption, "&New Bot"},
        {"DeleteButton", Kind::Caption, "&Delete Bot"},
        {"BotNameEdit", Kind::Label, "Name:"},
        {"ModelComboBox", Kind::Label, "Model:"},
        {"SkinComboBox", Kind::Label, "Skin:"},
        {"AccuracyComboBox", Kind::Label, "Firing Accuracy:"},
        {"AggressivenessComboBox", Kind::Label, "Aggressiveness:"},
        {"CombatSkillsComboBox", Kind::Label, "Combat Skills:"},
        {"FavWeaponComboBox", Kind::Label, "Favorite Weapon:"},
        {"QuadCheckBox", Kind::Caption, "Quad Freak"},
        {"CamperCheckBox", Kind::Caption, "Camper"},
        {"AvgPingComboBox", Kind::Label, "Average Ping:"},
        // Teams
        {"NewTeamButton", Kind::Caption, "&New Team"},
        {"DeleteTeamButton", Kind::Caption, "&Delete Team"},
        {"CurrentListBox", Kind::Label, "Current Members:"},
        {"AvailableListBox", Kind::Label, "Available Members:"},
        {"AddButton", Kind::Caption, "<"},
        {"RemoveButton", Kind::Caption, ">"},
        {"OtherMemberButton", Kind::Caption, "&Other Member"},
        {"TeamNameEdit", Kind::Label, "Name:"},
        {"TeamModelComboBox", Kind::Label, "Model:"},
        {"TeamSkinComboBox", Kind::Label, "Skin:"},
        {"TeamIDEdit", Kind::Label, "ID:"},
        // VWep
        {"CurrentVWepListBox", Kind::Label, "Current Supporters:"},
        {"AvailableVWepListBox", Kind::Label, "Available Supporters:"},
        {"AddVWepButton", Kind::Caption, "<"},
        {"RemoveVWepButton", Kind::Caption, ">"},
        // Below the tabs
        {"OKButton", Kind::Caption, "&OK"},
        {"CancelButton", Kind::Caption, "&Cancel"},
    };
    const TextsByControl captions = byControl(rosterControlCaptions());
    const TextsByControl labels = byControl(rosterControlLabels());
    std::size_t captionRows = 0;
    for (const auto& row : rows) {
        const auto& table = row.kind == Kind::Caption ? captions : labels;
        captionRows += row.kind == Kind::Caption ? 1 : 0;
        const auto found = table.find(row.control);
        ASSERT_NE(found, table.end()) << row.control;
        EXPECT_EQ(found->second, row.text) << row.control;
    }
    // Nothing more: a control with a text of its own would be shown untested.
    EXPECT_EQ(captions.size(), captionRows);
    EXPECT_EQ(labels.size(), rows.size() - captionRows);
}

TEST(RosterEditorTexts, CaptionTabsAndFixedItems) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(kRosterFormCaption, "Edit Bots.cfg");
    EXPECT_EQ(rosterTabCaptions(), (std::vector<std::string_view>{"Bots", "Teams", "VWep"}));
    EXPECT_EQ(skillItems(), (Names{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(weaponItems(),
              (Names{"Shotgun", "Super Shotgun", "Machine Gun", "Chaingun", "Grenade Launcher",
                     "Rocket Launcher", "Hyper Blaster", "Railgun", "BFG10K"}));
    EXPECT_EQ(pingItems(), (Names{"50", "100", "150", "200", "250", "300", "350", "400"}));
}

}  // namespace
}  // namespace wyn
