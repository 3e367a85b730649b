// The real engines, built by the fixture into WYN_TEST_ENGINES: what WYN reads
// from their bytes, and the search path they print against the one WYN gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "base/file_system.h"
#include "engine/engine_folders.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;

const std::string kEngines = WYN_TEST_ENGINES;
const std::string kYamagi = kEngines + "/yquake2/q2ded";
const std::string kPortable = kEngines + "/q2pro-portable/q2proded";
const std::string kSystem = kEngines + "/q2pro-system/bin/q2proded";
const std::string kYamagiSystem = kEngines + "/yquake2-system/lib/yamagi-quake2/q2ded";

TEST(RealEngines, AreRecognisedFromTheirBytes) {
    struct Case {
        std::string program;
        EngineKind kind;
        bool xdg;
        std::string data, library, home;
    };
    const Case cases[] = {
        {kYamagi, EngineKind::YamagiQuake2, true, "", "", ""},
        {kPortable, EngineKind::Q2pro, false, "", "", ""},
        {kSystem, EngineKind::Q2pro, false, kEngines + "/q2pro-system/share/q2pro",
         kEngines + "/q2pro-system/lib/q2pro", "~/.q2pro"},
    };
    for (const auto& c : cases) {
        const auto engine = recogniseEngine(c.program);
        EXPECT_EQ(engine.systemFolder, "") << c.program;
        EXPECT_EQ(engine.kind, c.kind) << c.program;
        EXPECT_EQ(engine.program, realPath(c.program));
        EXPECT_EQ(engine.xdg, c.xdg) << c.program;
        EXPECT_EQ(engine.systemWide, !c.data.empty()) << c.program;
        EXPECT_EQ(engine.dataFolder, c.data) << c.program;
        EXPECT_EQ(engine.libraryFolder, c.library) << c.program;
        EXPECT_EQ(engine.homeFolder, c.home) << c.program;
        EXPECT_EQ(engine.gameLibrary, c.kind == EngineKind::Q2pro ? "gamex86_64.so" : "game.so");
        EXPECT_EQ(engine.elf.bits, 64);
    }
    // Its compiled-in data folder is the one full path of a system-wide
    // Yamagi Quake II's read-only data.
    EXPECT_EQ(recogniseEngine(kYamagiSystem).systemFolder,
              kEngines + "/yquake2-system/share/games/quake2");
    test::TempDir temp;
    const auto wrapper = temp.write("quake2", "#!/bin/sh\nexec " + kYamagi + " \"$@\"\n");
    EXPECT_EQ(recogniseEngine(wrapper).program, realPath(kYamagi));
}

// The folders after "Current search path:", a relative "./" taken from the
// game directory.
std::vector<std::string> printedSearchPath(const std::string& command, const std::string& game) {
    std::vector<std::string> folders;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return folders;
    }
    bool inPath = false;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        if (text == "Current search path:") {
            inPath = folders.empty();
        } else if (inPath && (text.empty() || text.starts_with('-'))) {
            inPath = false;
        } else if (inPath) {
            folders.push_back(text.starts_with("./") ? game + text.substr(1) : text);
        }
    }
    ::pclose(pipe);
    return folders;
}

TEST(RealEngines, SearchTheFoldersWynGives) {
    struct Case {
        const char* name;
        std::string program;  // below the engines' folder, or in the game directory
        bool inGameDirectory;
        std::vector<std::string> made;  // below the home
        bool xdgDataHome;
    };
    const Case cases[] = {
        {"Yamagi Quake II, XDG", kYamagi, false, {".local/share"}, false},
        {"with XDG_DATA_HOME", kYamagi, false, {}, true},
        {"with ~/.yq2", kYamagi, false, {".yq2", ".local/share"}, false},
        {"in the game directory", kYamagi, true, {".local/share"}, false},
        {"Q2PRO portable", kPortable, false, {}, false},
        {"Q2PRO system-wide", kSystem, false, {}, false},
        {"Yamagi Quake II system-wide", kYamagiSystem, false, {".local/share"}, false},
    };
    for (const auto& c : cases) {
        test::TempDir temp;
        EngineEnvironment environment{temp.mkdir("games/q2"), temp.mkdir("home"), "",
                                      PlatformProfile::posix()};
        temp.mkdir("games/q2/vantor");
        temp.mkdir("games/q2/baseq2");
        for (const auto& folder : c.made) {
            temp.mkdir("home/" + folder);
        }
        if (c.xdgDataHome) {
            environment.xdgDataHome = temp.mkdir("data");
        }
        auto program = c.program;
        if (c.inGameDirectory) {
            program = environment.gameDirectory + "/q2ded";
            fs::copy_file(c.program, program);
        }
        const auto engine = recogniseEngine(program);
        // Where the build left the engine's own game library.
        const auto library =
            engine.systemWide ? engine.libraryFolder + "/baseq2/" + engine.gameLibrary
                              : fs::path(c.program).parent_path().string() +
                                    (engine.kind == EngineKind::YamagiQuake2 ? "/baseq2/" : "/") +
                                    engine.gameLibrary;
        fs::copy_file(library, temp / ("games/q2/baseq2/" + engine.gameLibrary));

        std::string command = "cd '" + environment.gameDirectory +
                              "' && printf 'path\\nquit\\n' | env -i PATH=/usr/bin:/bin HOME='" +
                              environment.home + "'";
        if (!environment.xdgDataHome.empty()) {
            command += " XDG_DATA_HOME='" + environment.xdgDataHome + "'";
        }
        command += " timeout 60 '" + program + "'";
        for (const auto& argument : startArguments(engine, environment)) {
            command += " '" + argument + "'";
        }
        command += " +set game vantor 2>&1";
        EXPECT_EQ(printedSearchPath(command, environment.gameDirectory),
                  engineSearchPath(engine, environment, "vantor"))
            << c.name;

        // The add-on's game library: only baseq2's, then the engine's own in
        // the scripts folder.
        EXPECT_TRUE(checkGameLibrary(engine, environment, "vantor")) << c.name;
        const auto scripts = engineScriptsFolder(engine, environment);
        fs::create_directories(scripts);
        fs::copy_file(temp / ("games/q2/baseq2/" + engine.gameLibrary),
                      scripts + "/" + engine.gameLibrary);
        EXPECT_EQ(checkGameLibrary(engine, environment, "vantor"), std::nullopt) << c.name;
    }
}

}  // namespace
}  // namespace wyn
