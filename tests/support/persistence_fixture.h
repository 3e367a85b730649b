#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/startup.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace wyn::test {

// Start-up prompts that record what was shown and answer as told. The locate
// dialog runs the given script (cancelled when there is none).
class FakeStartupPrompts : public StartupPrompts, public TextPrompt {
public:
    std::vector<std::string> errors;
    std::vector<std::string> infos;
    std::vector<std::string> failures;
    std::vector<std::string> textQuestions;
    std::vector<std::string> locateInfoAtOpen;  // InfoLabel each time the dialog opened
    std::function<void(LocateDialog&)> locateScript;
    bool confirmEditor = true;

    void showError(const std::string& text) override { errors.push_back(text); }
    void showInformation(const std::string& text) override { infos.push_back(text); }
    void showFailure(const std::string& text) override { failures.push_back(text); }
    bool editCommandLine(std::string&) override { return confirmEditor; }
    std::optional<std::string> choosePresetSavePath(const std::string&) override {
        return std::nullopt;
    }
    void showLocateDialog(LocateDialog& dialog) override {
        locateInfoAtOpen.push_back(dialog.infoText());
        if (locateScript) {
            locateScript(dialog);
        }
        if (!dialog.isClosed()) {
            dialog.cancel();
        }
    }
    // The directory prompt: cancelled, so the reaction takes the default.
    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override {
        textQuestions.push_back(caption + "|" + label + "|" + initial);
        return std::nullopt;
    }
};

// A full installation: pak0 and pak1, both CTF packs, a loose map, two extra
// scripts and a roster of four bots in two teams.
inline void fillGame(const TempDir& game) {
    game.write("baseq2/pak0.pak");
    game.write("baseq2/pak1.pak");
    game.write("ctf/pak0.pak");
    game.write("vantor/pak0.pak");
    game.write("baseq2/maps/mine.bsp");
    game.write("baseq2/maps/q2ctf_loose.bsp");
    game.write("baseq2/server.cfg");
    game.write("baseq2/duel.cfg");
    game.write("vantor/bots.cfg",
               "[bots]\n"
               "\"Alpha\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "\"Bravo\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "\"Charlie\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "\"Delta\" \"male/grunt\" 3 3 3 5 0 0 100\n"
               "[teams]\n"
               "\"Reds\" \"\" \"\" [\"Alpha\" \"Bravo\"]\n"
               "\"Blues\" \"\" \"\" [\"Charlie\" \"Delta\"]\n");
}

// The native profile with the game directory as the design default, so the
// start-up check finds the game where the window starts.
inline PlatformProfile profileFor(const TempDir& game) {
    PlatformProfile profile = PlatformProfile::native();
    profile.defaultGameDirectory = game.str();
    return profile;
}

}  // namespace wyn::test
