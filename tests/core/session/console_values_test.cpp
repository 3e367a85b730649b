#include <gtest/gtest.h>

#include <functional>

#include "session/console_values.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;

TEST(ConsoleValues, CharactersThatEndAValue) {
    for (const char c : {';', '"', '\n', '\r', '\t', '\0', '\x01', '\x1f', '\x7f'}) {
        EXPECT_EQ(consoleBreakingCharacter(std::string("8") + c + "9"), c) << int(c);
    }
    // What the console reads as part of one value: blanks stand between
    // names, and everything from '/' to bytes above ASCII is plain text.
    for (const std::string_view plain : {"", "24", "q2dm1", "my ctf", "a/b\\c", "$x", "\xc3\xb6"}) {
        EXPECT_EQ(consoleBreakingCharacter(plain), std::nullopt) << plain;
    }
}

TEST(ConsoleValues, TheMessageShowsTheValueOnOneLine) {
    EXPECT_EQ(unsafeValueMessage("Max Clients", "8;set rcon_password pwned"),
              "Max Clients '8;set rcon_password pwned' cannot be given to Quake II: it holds "
              "';', which the game's console would read as more than this one value.");
    EXPECT_EQ(unsafeValueMessage("bot", "Vex\r\nquit"),
              "bot 'Vex\\r\\nquit' cannot be given to Quake II: it holds a line break, which "
              "the game's console would read as more than this one value.");
    EXPECT_EQ(unsafeValueMessage("map", std::string("q2\x01\"", 4)),
              "map 'q2\\x01\"' cannot be given to Quake II: it holds a control character, "
              "which the game's console would read as more than this one value.");
    EXPECT_EQ(unsafeValueMessage("map", "q2dm1"), std::nullopt);
    EXPECT_EQ(unsafeNameMessage("team", {"Alpha", "Be\"ta", "G;"}),
              "team 'Be\"ta' cannot be given to Quake II: it holds '\"', which the game's "
              "console would read as more than this one value.");
}

// Where an unsafe value comes from, how the test puts it there, and which
// script it was bound for.
struct Source {
    const char* name;
    const char* shownAs;  // how the message names the source
    bool launcher;        // bound for launcher.cfg rather than wyn.cfg
    // The characters a value from there can hold: a roster line cannot hold
    // a line break or a quote inside its quoted name.
    std::string_view characters;
    std::function<void(SessionSettings&, test::GameDir&, const std::string& value)> put;
};

const std::string kAll{";\"\n\r\x01\x7f", 6};
const std::string kInRoster{";\x01\x7f", 3};

void writeRoster(test::GameDir& game, const std::string& bot, const std::string& team) {
    game.write("vantor/bots.cfg", "[bots]\r\n\"Orla\" \"male/grunt\" 3 3 3 5 0 0 100\r\n\"" + bot +
                                      "\" \"male/grunt\" 3 3 3 5 0 0 100\r\n[teams]\r\n\"" + team +
                                      "\" \"T\" \"\" [\"Orla\"]\r\n");
}

void reread(SessionSettings& s) {
    s.setText(F::FilenameEdit, "other");  // the directory reaction reads the lists again
    s.setText(F::FilenameEdit, "");
}

const Source kSources[] = {
    {"Field", "Max Clients", false, kAll,
     [](SessionSettings& s, test::GameDir&, const std::string& v) {
         s.setText(F::MaxClientsComboBox, v);
     }},
    {"Latency", "Client Latency (1-1000)", false, kAll,
     [](SessionSettings& s, test::GameDir&, const std::string& v) { s.setText(F::LagEdit, v); }},
    {"Map", "map", false, kAll,
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         game.write("baseq2/maps/" + v + ".bsp");
         s.refreshMaps();
         s.chooseRadio(F::ExternalMapsRadio);
         s.selectMapByName(MapType::External, v);
     }},
    {"Script", "script", false, kAll,
     [](SessionSettings& s, test::GameDir&, const std::string& v) {
         s.setChecked(F::ConfigCheckBox, true);
         s.setText(F::ConfigComboBox, v);
     }},
    {"Bot", "bot", true, kInRoster,
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         writeRoster(game, v, "Alpha");
         reread(s);
         s.setBotChecked(0, true);
         s.setBotChecked(1, true);
     }},
    {"Team", "team", true, kInRoster,
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         writeRoster(game, "Vex", v);
         reread(s);
         s.setChecked(F::TeamplayCheckBox, true);
         s.setText(F::YourTeamComboBox, "Red");
         s.setBotTeamChecked(0, true);
     }},
    {"YourTeam", "Your Team", true, kAll,
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         writeRoster(game, "Vex", "Alpha");
         reread(s);
         s.setChecked(F::TeamplayCheckBox, true);
         s.setBotTeamChecked(0, true);
         s.setText(F::YourTeamComboBox, v);
     }},
    {"RedBot", "bot", true, kAll,
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         game.write("baseq2/maps/myctf.bsp");
         s.refreshMaps();
         s.chooseRadio(F::ExternalMapsRadio);
         s.setChecked(F::TeamplayCheckBox, true);
         s.userSelectMap(MapType::External, 0);
         s.setCtfTeams({"Orla"}, {v});
     }},
};

struct Case {
    const Source* source;
    char character;
};

std::vector<Case> cases() {
    std::vector<Case> all;
    for (const Source& source : kSources) {
        for (const char c : source.characters) {
            all.push_back({&source, c});
        }
    }
    return all;
}

class UnsafeValue : public ::testing::TestWithParam<Case>, protected test::LaunchSession {
protected:
    void SetUp() override {
        game.write("baseq2/pak1.pak");
        game.write("vantor/launcher.cfg", "sv bots Earlier\r\n");
        writeRoster(game, "Vex", "Alpha");
        openGame();
        s.setBotChecked(0, true);
    }
};

// Nothing is started, and the value reaches neither script: wyn.cfg stays
// empty for its own values, launcher.cfg keeps the last launch's lines.
TEST_P(UnsafeValue, StopsTheLaunch) {
    const auto [source, c] = GetParam();
    const std::string value = std::string("vex") + c + "quit";
    source->put(s, game, value);
    ASSERT_TRUE(prompts.errors.empty()) << prompts.errors.front();
    if (!scriptMapLines(s)) {
        s.selectMap(MapType::General, 0);
    }

    EXPECT_EQ(Launch(s, prompts, starter).outcome, LaunchOutcome::Stopped);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0], unsafeValueMessage(source->shownAs, value));
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Earlier\r\n");
    const std::string script = game.read("vantor/wyn.cfg");
    EXPECT_EQ(script.empty(), !source->launcher);
    EXPECT_EQ(script.find("quit"), std::string::npos);
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(info.param.source->name) + "_" +
           std::to_string(static_cast<unsigned char>(info.param.character));
}

INSTANTIATE_TEST_SUITE_P(EachSourceAndCharacter, UnsafeValue, ::testing::ValuesIn(cases()),
                         caseName);

// The hand-edited line is the user's own console text, and the preview shows
// a value as it is.
TEST(UnsafeValueLeftAlone, EditedLineAndPreview) {
    test::GameDir game;
    game.write("baseq2/pak1.pak");
    writeRoster(game, "Vex", "Alpha");
    test::FakePrompts prompts;
    test::FakeStarter starter;
    SessionSettings s{PlatformProfile::posix()};
    s.setDirectoryPrompt(&prompts);
    s.setText(F::DirectoryEdit, game.str());
    s.resetToNew();
    s.setBotChecked(0, true);
    s.setText(F::MaxClientsComboBox, "8;set rcon_password pwned");
    s.rebuildCommandLine();
    EXPECT_NE(s.commandLine().find("+set maxclients 8;set rcon_password pwned"), std::string::npos);
    s.setChecked(F::ManEditCheckBox, true);
    EXPECT_EQ(Launch(s, prompts, starter).outcome, LaunchOutcome::Started);
    EXPECT_NE(game.read("vantor/wyn.cfg").find("set maxclients 8;set rcon_password pwned"),
              std::string::npos);
}

}  // namespace
}  // namespace wyn
