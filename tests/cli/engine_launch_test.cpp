// wynctl launch --wait with the real engines, built by the fixture into
// WYN_TEST_ENGINES: the engine's console holds the session's settings,
// wherever that engine reads first, and an add-on without the engine's game
// library is refused before the start.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/text_file.h"
#include "engine_preset.h"
#include "shell_run.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;

const std::string kEngines = WYN_TEST_ENGINES;

// One engine as installed: its program, its own game library (which stands
// in for the add-on's), and where the user's folders are.
struct Layout {
    const char* name;
    std::string program;  // below kEngines; "" for Yamagi Quake II copied into the game directory
    std::string library;  // the engine's baseq2 library, below kEngines
    std::vector<std::string> homeFolders;
    bool xdgDataHome;
    const char* userFolder;    // the engine's user folder below the home ("" for none)
    const char* addOnLibrary;  // where the add-on's library must be, below the test's folder
};

const Layout kLayouts[] = {
    {"YamagiInItsGameDirectory",
     "",
     "yquake2/baseq2/game.so",
     {".local/share"},
     false,
     ".local/share/YamagiQ2",
     "game/vantor/game.so"},
    {"YamagiWithDotYq2",
     "yquake2/q2ded",
     "yquake2/baseq2/game.so",
     {".yq2", ".local/share"},
     false,
     ".yq2",
     "game/vantor/game.so"},
    {"YamagiWithXdgDataHome",
     "yquake2/q2ded",
     "yquake2/baseq2/game.so",
     {},
     true,
     "../data/YamagiQ2",
     "game/vantor/game.so"},
    {"Q2proPortable",
     "q2pro-portable/q2proded",
     "q2pro-portable/gamex86_64.so",
     {},
     false,
     "",
     "game/vantor/gamex86_64.so"},
    {"Q2proSystemWide",
     "q2pro-system/bin/q2proded",
     "q2pro-system/lib/q2pro/baseq2/gamex86_64.so",
     {},
     false,
     ".q2pro",
     "home/.q2pro/vantor/gamex86_64.so"},
};

class EngineLaunch : public ::testing::TestWithParam<Layout> {
protected:
    test::TempDir temp;
    std::string game = temp.mkdir("game");
    std::string home = temp.mkdir("home");

    void SetUp() override {
        const Layout& layout = GetParam();
        temp.mkdir("game/vantor");
        temp.write("game/baseq2/maps/q2dm1.bsp");
        temp.write("game/vantor/bots.cfg", "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n");
        fs::copy_file(kEngines + "/" + layout.library,
                      game + "/baseq2/" + fs::path(layout.library).filename().string());
        for (const auto& folder : layout.homeFolders) {
            temp.mkdir("home/" + folder);
        }
        if (layout.xdgDataHome) {
            temp.mkdir("data");
        }
    }

    std::string program() const {
        const Layout& layout = GetParam();
        if (!layout.program.empty()) {
            return kEngines + "/" + layout.program;
        }
        fs::copy_file(kEngines + "/yquake2/q2ded", game + "/q2ded");
        return game + "/q2ded";
    }

    // wynctl launch --wait, the console commands on the engine's input.
    std::pair<std::string, int> launch(const std::string& console) {
        std::string environment = "env -i PATH=/usr/bin:/bin HOME='" + home + "'";
        if (GetParam().xdgDataHome) {
            environment += " XDG_DATA_HOME='" + temp / "data" + "'";
        }
        return test::runShell("cd '" + game + "' && printf '" + console + "' | " + environment +
                              " timeout 120 " + WYNCTL_PATH + " --settings '" + home +
                              "/s.ini' --game-dir '" + game + "' --exe '" + program() +
                              "' launch --wait '" + test::writeEnginePreset(temp) + "'");
    }

    void installAddOnLibrary() const {
        const std::string target = temp / GetParam().addOnLibrary;
        fs::create_directories(fs::path(target).parent_path());
        fs::copy_file(kEngines + "/" + GetParam().library, target);
    }
};

TEST_P(EngineLaunch, TheConsoleHoldsTheSessionsSettings) {
    installAddOnLibrary();
    // An older script where the engine reads first: WYN writes over it.
    const std::string user = GetParam().userFolder;
    const std::string older = user.empty() ? game + "/vantor" : home + "/" + user + "/vantor";
    fs::create_directories(older);
    writeLines(older + "/wyn.cfg", {"set fraglimit 99"});
    writeLines(game + "/vantor/wyn.cfg", {"set fraglimit 98"});

    const auto [output, status] = launch("fraglimit\\nmaxclients\\nrcon_password\\nquit\\n");
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("\"fraglimit\" is \"20\""), std::string::npos) << output;
    EXPECT_NE(output.find("\"maxclients\" is \"8\""), std::string::npos) << output;
    EXPECT_NE(output.find("\"rcon_password\" is \"\""), std::string::npos) << output;
}

TEST_P(EngineLaunch, AnAddOnWithoutTheEnginesLibraryIsRefused) {
    temp.write("game/vantor/gamex86.dll", "MZ\x90");
    const auto [output, status] = launch("quit\\n");
    EXPECT_EQ(status, 1) << output;
    EXPECT_NE(output.find(" needs the game library "), std::string::npos) << output;
    EXPECT_NE(output.find("gamex86.dll, built for Windows."), std::string::npos) << output;
    EXPECT_EQ(output.find("Current search path"), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(Layouts, EngineLaunch, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wyn
