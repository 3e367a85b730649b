// Every way into the game's console is checked, whichever launch takes a
// value there: a value the console would read as more than itself stops the
// launch before it writes, asks or starts anything.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "session/console_values.h"
#include "session/launch.h"
#include "session/preset_file.h"
#include "session/session_settings.h"
#include "session/startup.h"
#include "session_fixture.h"
#include "store/recent_files.h"
#include "temp_dir.h"
#include "wizard/launch_wizard.h"

namespace wyn {
namespace {

using F = Field;

// The ways a launch starts: the window's Launch (wynctl's launch is the same
// call), with "Manually Edit Command Line", a preset with it named with "-L" at
// start-up, and the wizard.
enum class Mode { Window, ManuallyEdit, Arguments, Wizard };

const char* modeName(Mode mode) {
    constexpr const char* kNames[] = {"Window", "ManuallyEdit", "Arguments", "Wizard"};
    return kNames[static_cast<int>(mode)];
}

// Where an unsafe value comes from, how the test puts it there, and the
// launches that take it from there.
struct Source {
    const char* name;
    const char* shownAs;  // how the message names the source
    bool inCommandLine;   // a value of wyn.cfg, rather than a name of launcher.cfg
    std::vector<Mode> modes;
    std::function<void(SessionSettings&, test::GameDir&, const std::string& value)> put;
};

void writeRoster(test::GameDir& game, const std::string& bot, const std::string& team) {
    game.write("vantor/bots.cfg", "[bots]\r\n\"Orla\" \"male/grunt\" 3 3 3 5 0 0 100\r\n\"" + bot +
                                      "\" \"male/grunt\" 3 3 3 5 0 0 100\r\n[teams]\r\n\"" + team +
                                      "\" \"T\" \"\" [\"Orla\"]\r\n");
}

void reread(SessionSettings& s) {
    s.setText(F::FilenameEdit, "other");  // the directory reaction reads the lists again
    s.setText(F::FilenameEdit, "");
}

using enum Mode;
const Source kSources[] = {
    {"Field",
     "Max Clients",
     true,
     {Window, ManuallyEdit, Arguments},
     [](SessionSettings& s, test::GameDir&, const std::string& v) {
         s.setText(F::MaxClientsComboBox, v);
     }},
    {"Latency",
     "Client Latency (1-1000)",
     true,
     {Window, ManuallyEdit},
     [](SessionSettings& s, test::GameDir&, const std::string& v) { s.setText(F::LagEdit, v); }},
    {"Map",
     "map",
     true,
     {Window, ManuallyEdit, Arguments, Wizard},
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         game.write("baseq2/maps/" + v + ".bsp");
         s.refreshMaps();
         s.chooseRadio(F::ExternalMapsRadio);
         s.selectMapByName(MapType::External, v);
     }},
    {"Script",
     "script",
     true,
     {Window, ManuallyEdit, Arguments},
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         game.write("baseq2/" + v + ".cfg");  // so that the command line names it too
         s.setChecked(F::ConfigCheckBox, true);
         s.setText(F::ConfigComboBox, v);
         s.rebuildCommandLine();
     }},
    {"Bot",
     "bot",
     false,
     {Window, ManuallyEdit, Arguments, Wizard},
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         writeRoster(game, v, "Alpha");
         reread(s);
         s.setBotChecked(0, true);
         s.setBotChecked(1, true);
     }},
    {"Team",
     "team",
     false,
     {Window, ManuallyEdit, Arguments},
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         writeRoster(game, "Vex", v);
         reread(s);
         s.setChecked(F::TeamplayCheckBox, true);
         s.setText(F::YourTeamComboBox, "Red");
         s.setBotTeamChecked(0, true);
     }},
    {"YourTeam",
     "Your Team",
     false,
     {Window, ManuallyEdit, Arguments},
     [](SessionSettings& s, test::GameDir& game, const std::string& v) {
         writeRoster(game, "Vex", "Alpha");
         reread(s);
         s.setChecked(F::TeamplayCheckBox, true);
         s.setBotTeamChecked(0, true);
         s.setText(F::YourTeamComboBox, v);
     }},
    {"RedBot",
     "bot",
     false,
     {Window, ManuallyEdit},
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
    Mode mode;
    char character;  // ';' ends a console command; '+' an item of the command line
};

std::vector<Case> cases() {
    std::vector<Case> all;
    for (const Source& source : kSources) {
        for (const Mode mode : source.modes) {
            for (const char c : {';', '+'}) {
                all.push_back({&source, mode, c});
            }
        }
    }
    return all;
}

// A game with the scripts of an earlier launch, one bot checked.
void prepare(test::LaunchSession& launch) {
    launch.game.write("baseq2/pak1.pak");
    launch.game.write("vantor/wyn.cfg", "set fraglimit 99\r\n");
    launch.game.write("vantor/launcher.cfg", "sv bots Earlier\r\n");
    writeRoster(launch.game, "Vex", "Alpha");
    launch.openGame();
    launch.s.setBotChecked(0, true);
}

class UnsafeValue : public ::testing::TestWithParam<Case>, protected test::LaunchSession {
protected:
    void SetUp() override { prepare(*this); }

    LaunchOutcome launchIn(Mode mode) {
        switch (mode) {
            case Window:
                return Launch(s, prompts, starter).outcome;
            case ManuallyEdit:
                s.setChecked(F::ManEditCheckBox, true);
                return Launch(s, prompts, starter).outcome;
            case Arguments:
                return fromPreset();
            case Wizard:
                return inWizard();
        }
        return LaunchOutcome::Cancelled;
    }

    // "wyn evil.wyn -L": the preset was saved with Manually Edit set.
    LaunchOutcome fromPreset() {
        s.setChecked(F::ManEditCheckBox, true);
        const std::string preset = game / "evil.wyn";
        SavePreset(s, preset);
        SessionSettings fresh{PlatformProfile::posix()};
        fresh.setDirectoryPrompt(&prompts);
        fresh.setText(F::DirectoryEdit, game.str());
        fresh.resetToNew();
        RecentFiles recent;
        const auto outcome =
            HandleProgramArguments(fresh, {preset, "-L"}, recent, prompts, starter);
        return outcome.launch ? outcome.launch->outcome : LaunchOutcome::Cancelled;
    }

    // Deathmatch on the main window's map with its bots, straight to the launch.
    LaunchOutcome inWizard() {
        LaunchWizard w(s, prompts, starter);
        w.next();
        w.next();
        const auto& maps = w.answers().maps.items();
        w.selectMap(std::ranges::find(maps, s.selectedMap()) - maps.begin());
        w.next();
        w.next();
        w.next();
        return w.lastLaunch() ? w.lastLaunch()->outcome : LaunchOutcome::Cancelled;
    }
};

// A value is refused before anything is written, asked or started: wyn.cfg and
// launcher.cfg keep the last launch's lines, and the command-line editor never
// opens on it. A '+' ends a value only in the command line, which the editor's
// conversion splits at every '+'; a script line takes it as it is.
TEST_P(UnsafeValue, StopsTheLaunchBeforeItWritesOrAsks) {
    const auto [source, mode, c] = GetParam();
    const std::string value = std::string("vex") + c + "quit";
    source->put(s, game, value);
    ASSERT_TRUE(prompts.errors.empty()) << prompts.errors.front();
    if (s.selectedMap().empty()) {
        s.selectMap(MapType::General, 0);
    }
    const bool edited = mode == ManuallyEdit || mode == Arguments;
    const bool refused = c == ';' || (edited && source->inCommandLine);

    const auto outcome = launchIn(mode);
    if (!refused) {
        EXPECT_EQ(outcome, LaunchOutcome::Started) << ::testing::PrintToString(prompts.errors);
        return;
    }
    EXPECT_EQ(outcome, LaunchOutcome::Stopped);
    const auto context = c == '+' ? ConsoleContext::CommandLine : ConsoleContext::Script;
    EXPECT_EQ(prompts.errors,
              std::vector<std::string>{*unsafeValueMessage(source->shownAs, value, context)});
    EXPECT_TRUE(prompts.questions.empty()) << prompts.questions.front();
    EXPECT_TRUE(starter.requests.empty());
    EXPECT_EQ(game.read("vantor/wyn.cfg"), "set fraglimit 99\r\n");
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Earlier\r\n");
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(info.param.source->name) + "_" + modeName(info.param.mode) +
           (info.param.character == ';' ? "_Semicolon" : "_Plus");
}

INSTANTIATE_TEST_SUITE_P(EachSourceAndMode, UnsafeValue, ::testing::ValuesIn(cases()), caseName);

}  // namespace
}  // namespace wyn
