#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.h"
#include "base/value_store.h"
#include "roster_editor_fixture.h"
#include "session/roster_choices.h"
#include "session/session_settings.h"

namespace wyn::test {
namespace {

constexpr const char* kThreeBots =
    "[bots]\r\n"
    "\"Bot1\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
    "\"Bot2\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
    "\"Gone\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
    "[teams]\r\n"
    "\"Alpha\" \"A\" \"\" [\"Bot1\"]\r\n"
    "\"Beta\" \"B\" \"\" [\"Gone\"]\r\n"
    "[view weapons]\r\n";

// A store that cannot be written, as a registry key without write access.
class ReadOnlyStore : public MemoryValueStore {
public:
    bool writeValue(const std::string&, const std::string&) override { return false; }
};

class RosterSave : public RosterEditorTest {
protected:
    SessionSettings session{profile};
    MemoryValueStore store;

    bool save() { return SaveRoster(editor, session, store); }

    void SetUp() override {
        RosterEditorTest::SetUp();
        // The main window: checked BOT2 and Gone, team Beta, own team Alpha,
        // Gone on red and bot1 on blue.
        session.setRoster({"Bot1", "BOT2", "Gone"}, {"Alpha", "Beta"});
        session.setBotChecked(1, true);
        session.setBotChecked(2, true);
        session.setBotTeamChecked(1, true);
        session.setText(Field::YourTeamComboBox, "Alpha");
        session.setCtfTeams({"Gone"}, {"bot1"});
        session.fillAvailable();
        open(kThreeBots);
        // The editor deletes Gone and renames Alpha.
        editor.selectBot(2);
        editor.deleteBot();
        editor.teamNameChanged("Omega");
    }

    void expectMainWindowKept() {
        EXPECT_EQ(session.bots().items(), (Names{"Bot1", "Bot2"}));
        EXPECT_EQ(session.bots().checks(), (std::vector<bool>{false, true}));
        EXPECT_EQ(session.botTeams().items(), (Names{"Omega", "Beta"}));
        EXPECT_EQ(session.botTeams().checks(), (std::vector<bool>{false, true}));
        EXPECT_EQ(session.yourTeamItems(), (Names{"Omega", "Beta"}));
        EXPECT_EQ(session.text(Field::YourTeamComboBox), "Alpha");  // as stored
        EXPECT_EQ(session.redList().items(), Names{"Gone"});        // a deleted bot stays
        EXPECT_EQ(session.blueList().items(), Names{"bot1"});
        EXPECT_EQ(session.availableList().items(), Names{"Bot2"});
    }
};

TEST_F(RosterSave, WritesStoresRefillsAndRestores) {
    ASSERT_TRUE(save());
    EXPECT_EQ(editor.result(), DialogResult::Ok);
    EXPECT_EQ(prompts.errors, Names{});
    EXPECT_EQ(file(),
              "[bots]\r\n\"Bot1\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
              "\"Bot2\" \"male/grunt\" 3 3 3 5 0 0 100\r\n[teams]\r\n"
              "\"Omega\" \"A\" \"\" [\"Bot1\"]\r\n\"Beta\" \"B\" \"\" [\"Gone\"]\r\n"
              "[view weapons]\r\n");
    EXPECT_EQ(store.values(), (std::map<std::string, std::string>{{"Bots", "BOT2 Gone"},
                                                                  {"BotTeams", "Beta"},
                                                                  {"YourTeam", "Alpha"},
                                                                  {"RedBots", "Gone"},
                                                                  {"BlueBots", "bot1"}}));
    expectMainWindowKept();
}

TEST_F(RosterSave, AStoreThatCannotBeWrittenLosesNoChoice) {
    ReadOnlyStore readOnly;
    ASSERT_TRUE(SaveRoster(editor, session, readOnly));
    expectMainWindowKept();
}

TEST_F(RosterSave, TeamWithoutMembersBlocksEverything) {
    editor.selectTeam(0);
    editor.selectCurrentMember(0);
    editor.removeMember();  // Omega has no member left; Beta is fine
    EXPECT_FALSE(save());
    EXPECT_EQ(prompts.errors, Names{"Please add some team members to team Omega."});
    EXPECT_EQ(editor.result(), DialogResult::Open);
    EXPECT_EQ(file(), kThreeBots);
    EXPECT_TRUE(store.values().empty());
    EXPECT_EQ(session.bots().items(), (Names{"Bot1", "BOT2", "Gone"}));

    editor.cancel();
    EXPECT_EQ(editor.result(), DialogResult::Cancel);
    EXPECT_EQ(file(), kThreeBots);
}

TEST_F(RosterSave, AFailedWriteLeavesTheMainWindowAlone) {
    std::filesystem::remove_all(game.path() / "vantor");
    EXPECT_THROW(save(), WynError);
    EXPECT_EQ(editor.result(), DialogResult::Open);
    EXPECT_TRUE(store.values().empty());
    EXPECT_EQ(session.bots().items(), (Names{"Bot1", "BOT2", "Gone"}));
}

}  // namespace
}  // namespace wyn::test
