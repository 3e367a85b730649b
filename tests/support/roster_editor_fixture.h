#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "bots/player_models.h"
#include "bots/roster_editor.h"
#include "temp_dir.h"

namespace wyn::test {

using Names = std::vector<std::string>;

// Prompts that record what was asked and shown, and answer as told.
class FakeRosterPrompts : public RosterPrompts {
public:
    Names errors;
    Names questions;                                  // "caption|label|initial"
    std::vector<std::optional<std::string>> answers;  // consumed in order; then cancel

    void showError(const std::string& text) override { errors.push_back(text); }
    void showInformation(const std::string& text) override { errors.push_back("info: " + text); }
    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override {
        questions.push_back(caption + "|" + label + "|" + initial);
        return questions.size() <= answers.size() ? answers[questions.size() - 1] : std::nullopt;
    }
};

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
    FakeRosterPrompts prompts;
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
        return SkinIconPath(game.str(), model, skin, profile);
    }
    std::string file() const { return game.read("vantor/bots.cfg"); }
    bool save() { return editor.ok(); }
    // The lines OK would write for the roster as it stands.
    Names fileLines() const { return rosterLines(editor.roster()).lines; }
};

}  // namespace wyn::test
