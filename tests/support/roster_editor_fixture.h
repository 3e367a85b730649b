#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "bots/player_models.h"
#include "bots/roster_editor.h"
#include "fake_prompts.h"
#include "temp_dir.h"

namespace wyn::test {

using Names = std::vector<std::string>;

// Two bots, two teams, one supporter; models male (with icons), female and an
// empty cyborg. Bot2 holds values no control can show: weapon "1", quad "2".
inline constexpr const char* kTwoBots =
    "[bots]\r\n"
    "\"Bot1\" \"male/grunt\" 4 2 5 7 1 0 150\r\n"
    "\"Bot2\" \"female/athena\" 3 3 3 1 2 0 100\r\n"
    "[teams]\r\n"
    "\"Alpha\" \"ALF\" \"male/grunt\" [\"Bot1\" \"Bot2\"]\r\n"
    "\"Beta\" \"bt\" \"\" [\"Bot2\"]\r\n"
    "[view weapons]\r\n"
    "\"Male\"\r\n";

class RosterEditorTest : public ::testing::Test {
protected:
    GameDir game;
    const PlatformProfile& profile = PlatformProfile::native();
    FakePrompts prompts;
    RosterEditor editor{game.str(), profile, prompts};

    void SetUp() override {
        for (const char* file : {"grunt.pcx", "grunt_i.pcx", "cobalt.pcx"}) {
            game.write(std::string("baseq2/players/male/") + file);
        }
        game.write("baseq2/players/female/athena.pcx");
        game.write("baseq2/players/female/athena_i.pcx");
        game.mkdir("baseq2/players/cyborg");
    }

    void open(const char* text = kTwoBots) {
        game.write("vantor/bots.cfg", text);
        editor.open();
    }
    std::string icon(const std::string& model, const std::string& skin) const {
        return SkinIconPath(std::vector<std::string>{game.str()}, model, skin, profile);
    }
    std::string file() const { return game.read("vantor/bots.cfg"); }
    bool save() { return editor.ok(); }
    // The lines OK would write for the roster as it stands.
    Names fileLines() const { return rosterLines(editor.roster()).lines; }
};

}  // namespace wyn::test
