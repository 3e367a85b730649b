#include <gtest/gtest.h>

#include <filesystem>

#include "engine/engine_folders.h"
#include "fake_elf.h"
#include "fake_pe.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Folders = std::vector<std::string>;

// A computer of its own: a home, a game directory, an engine's binary folder.
class EngineFolders : public ::testing::Test {
protected:
    test::TempDir temp;
    EngineEnvironment environment{temp.mkdir("games/q2"), temp.mkdir("home/p"), "",
                                  PlatformProfile::posix()};

    // An engine as recognition reads it from the strings its build compiles in
    // (the library name a Q2PRO build names itself), its program in the
    // folder. The Flatpak's client is a Yamagi Quake II build.
    static std::vector<std::string> builtInStrings(EngineKind kind, bool windows) {
        switch (kind) {
            case EngineKind::YamagiQuake2:
            case EngineKind::YamagiQuake2Flatpak:
                return {"Yamagi Quake II v%s"};
            case EngineKind::Q2pro:
                return {"====== Q2PRO initialized ======",
                        windows ? "gamex86_64.dll" : "gamex86_64.so"};
            case EngineKind::Quake2:
                return {"====== Quake2 Initialized ======"};
            case EngineKind::Unknown:
                break;
        }
        return {};
    }

    static Engine recognised(const std::string& bytes) {
        return readExecutableFacts([&bytes](std::uint64_t offset, std::size_t size) {
                   return offset < bytes.size() ? bytes.substr(offset, size) : std::string();
               })
            .engine;
    }

    Engine engine(EngineKind kind, const std::string& programFolder) {
        Engine result = recognised(test::fakeElf({.strings = builtInStrings(kind, false)}));
        EXPECT_NE(result.kind, EngineKind::Unknown);
        result.kind = kind;
        result.program = temp / (programFolder + "/engine");
        return result;
    }

    // An x64 Windows build.
    Engine windowsEngine(EngineKind kind, const std::string& programFolder) {
        Engine result = recognised(test::fakePe({.strings = builtInStrings(kind, true)}));
        EXPECT_EQ(result.kind, kind);
        result.program = temp / (programFolder + "/engine.exe");
        return result;
    }

    // The game library check's message while the files (path below TEMP,
    // bytes) are there.
    using Files = std::vector<std::pair<std::string, std::string>>;
    std::optional<std::string> checkWith(const Engine& checked, const Files& files) {
        for (const auto& [file, bytes] : files) {
            temp.write(file, bytes);
        }
        auto message = checkGameLibrary(checked, environment, "vantor");
        for (const auto& file : files) {
            std::filesystem::remove(temp / file.first);
        }
        return message;
    }

    // The placeholders HOME, DOCS, GAME and TEMP in a text as this computer's
    // folders.
    std::string real(std::string text) const {
        for (const auto& [name, folder] :
             {std::pair{"HOME", environment.home}, std::pair{"DOCS", environment.documents},
              std::pair{"GAME", environment.gameDirectory}, std::pair{"TEMP", temp.str()}}) {
            for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
                text.replace(at, 4, folder);
            }
        }
        return text;
    }
    Folders real(const Folders& folders) const {
        Folders result;
        for (const auto& folder : folders) {
            result.push_back(real(folder));
        }
        return result;
    }
};

TEST_F(EngineFolders, FollowEachEngineLayout) {
    struct Case {
        const char* name;
        Engine engine;
        Folders made;  // below TEMP
        std::string xdgDataHome;
        Folders searchPath;  // of the add-on
        Folders arguments;
    };
    const auto yamagi = engine(EngineKind::YamagiQuake2, "games/q2");
    auto yamagiXdg = yamagi;
    yamagiXdg.xdg = true;
    auto yamagiElsewhere = engine(EngineKind::YamagiQuake2, "usr/lib/yq2");
    yamagiElsewhere.xdg = true;
    auto yamagiLinked = engine(EngineKind::YamagiQuake2, "games/link");
    auto q2proSystem = engine(EngineKind::Q2pro, "usr/bin");
    q2proSystem.systemWide = true;
    q2proSystem.dataFolder = "/usr/share/q2pro";
    q2proSystem.libraryFolder = "/usr/lib/q2pro";
    q2proSystem.homeFolder = "~/.q2pro";
    auto q2proSystemHere = q2proSystem;
    q2proSystemHere.dataFolder = environment.gameDirectory;
    // Distributions' builds and wrappers.
    auto yamagiSystem = yamagiElsewhere;
    yamagiSystem.systemFolder = temp.mkdir("usr/share/games/quake2");
    auto yamagiSystemHere = yamagiSystem;
    yamagiSystemHere.systemFolder = environment.gameDirectory;
    auto yamagiDebian = yamagiSystem;
    yamagiDebian.namedDataFolder = yamagiSystem.systemFolder;
    auto yamagiPortable = yamagi;
    yamagiPortable.portable = true;
    auto yamagiCfgdir = yamagiXdg;
    yamagiCfgdir.namedUserFolder = "~/q2cfg";
    const Case cases[] = {
        {"Yamagi Quake II",
         yamagi,
         {},
         "",
         {"HOME/.yq2/vantor", "GAME/vantor", "HOME/.yq2/baseq2", "GAME/baseq2"},
         {}},
        {"with XDG",
         yamagiXdg,
         {},
         "",
         {"HOME/.local/share/YamagiQ2/vantor", "GAME/vantor", "HOME/.local/share/YamagiQ2/baseq2",
          "GAME/baseq2"},
         {}},
        {"with XDG_DATA_HOME",
         yamagiXdg,
         {},
         "TEMP/data",
         {"TEMP/data/YamagiQ2/vantor", "GAME/vantor", "TEMP/data/YamagiQ2/baseq2", "GAME/baseq2"},
         {}},
        {"with XDG and an old ~/.yq2",
         yamagiXdg,
         {"home/p/.yq2"},
         "TEMP/data",
         {"HOME/.yq2/vantor", "GAME/vantor", "HOME/.yq2/baseq2", "GAME/baseq2"},
         {}},
        {"its binary elsewhere",
         yamagiElsewhere,
         {},
         "",
         {"HOME/.local/share/YamagiQ2/vantor", "TEMP/usr/lib/yq2/vantor", "GAME/vantor",
          "HOME/.local/share/YamagiQ2/baseq2", "TEMP/usr/lib/yq2/baseq2", "GAME/baseq2"},
         {"-datadir", "GAME"}},
        {"its binary by a link to the game directory",
         yamagiLinked,
         {},
         "",
         {"HOME/.yq2/vantor", "GAME/vantor", "HOME/.yq2/baseq2", "GAME/baseq2"},
         {}},
        {"Q2PRO portable",
         engine(EngineKind::Q2pro, "usr/bin"),
         {"home/p/.q2pro"},
         "",
         {"GAME/vantor", "GAME/baseq2"},
         {}},
        {"Q2PRO system-wide",
         q2proSystem,
         {},
         "",
         {"HOME/.q2pro/vantor", "GAME/vantor", "HOME/.q2pro/baseq2", "GAME/baseq2"},
         {"+set", "basedir", "GAME"}},
        {"its data folder the game directory",
         q2proSystemHere,
         {},
         "",
         {"HOME/.q2pro/vantor", "GAME/vantor", "HOME/.q2pro/baseq2", "GAME/baseq2"},
         {}},
        {"Yamagi Quake II system-wide",
         yamagiSystem,
         {},
         "",
         {"HOME/.local/share/YamagiQ2/vantor", "TEMP/usr/lib/yq2/vantor", "GAME/vantor",
          "TEMP/usr/share/games/quake2/vantor", "HOME/.local/share/YamagiQ2/baseq2",
          "TEMP/usr/lib/yq2/baseq2", "GAME/baseq2", "TEMP/usr/share/games/quake2/baseq2"},
         {"-datadir", "GAME"}},
        {"the game directory its compiled-in folder",
         yamagiSystemHere,
         {},
         "",
         {"HOME/.local/share/YamagiQ2/vantor", "TEMP/usr/lib/yq2/vantor", "GAME/vantor",
          "HOME/.local/share/YamagiQ2/baseq2", "TEMP/usr/lib/yq2/baseq2", "GAME/baseq2"},
         {}},
        {"a wrapper naming its data folder, not the game directory",
         yamagiDebian,
         {},
         "",
         {"HOME/.local/share/YamagiQ2/vantor", "TEMP/usr/lib/yq2/vantor",
          "TEMP/usr/share/games/quake2/vantor", "HOME/.local/share/YamagiQ2/baseq2",
          "TEMP/usr/lib/yq2/baseq2", "TEMP/usr/share/games/quake2/baseq2"},
         {}},
        {"-portable", yamagiPortable, {"home/p/.yq2"}, "", {"GAME/vantor", "GAME/baseq2"}, {}},
        {"-cfgdir",
         yamagiCfgdir,
         {"home/p/.yq2"},
         "",
         {"HOME/q2cfg/vantor", "GAME/vantor", "HOME/q2cfg/baseq2", "GAME/baseq2"},
         {}},
        {"an unknown engine",
         Engine(),
         {"home/p/.yq2", "home/p/.q2pro"},
         "",
         {"GAME/vantor", "GAME/baseq2"},
         {}},
    };
    std::filesystem::create_directory_symlink(environment.gameDirectory, temp / "games/link");
    for (const auto& c : cases) {
        test::TempDir home;
        environment.home = home.str();
        for (const auto& folder : c.made) {
            home.mkdir(folder.substr(std::string("home/p/").size()));
        }
        environment.xdgDataHome = real(c.xdgDataHome);
        const auto searchPath = real(c.searchPath);
        EXPECT_EQ(engineSearchPath(c.engine, environment, "vantor"), searchPath) << c.name;
        EXPECT_EQ(engineScriptsFolder(c.engine, environment), searchPath.front()) << c.name;
        EXPECT_EQ(startArguments(c.engine, environment), real(c.arguments)) << c.name;
    }
}

// What a wrapper leaves open: one of several data folders it names, or a
// folder of its own it starts an engine in that no argument moves.
TEST_F(EngineFolders, FollowWhatAWrapperLeavesOpen) {
    const auto game = environment.gameDirectory;
    const auto demo = temp.mkdir("demo");
    auto yamagi = engine(EngineKind::YamagiQuake2, "usr/lib/yq2");
    yamagi.dataFolderChoices = {game, demo};
    const Folders readsFirst{environment.home + "/.yq2", temp / "usr/lib/yq2"};
    // The player chose one of them; WYN names none against the wrapper's.
    EXPECT_EQ(engineRoots(yamagi, environment), (Folders{readsFirst[0], readsFirst[1], game}));
    EXPECT_EQ(startArguments(yamagi, environment), Folders{});
    EXPECT_EQ(engineInstallationFolder(yamagi, environment), game);
    yamagi.dataFolderChoices = {temp / "none", demo};
    EXPECT_EQ(engineRoots(yamagi, environment),
              (Folders{readsFirst[0], readsFirst[1], temp / "none", demo}));
    EXPECT_EQ(engineInstallationFolder(yamagi, environment), demo);

    // id's Quake II reads the folder it starts in, and cannot be told another.
    auto classic = engine(EngineKind::Quake2, "opt/q2");
    classic.workingDirectory = temp / "opt/q2";
    EXPECT_EQ(engineRoots(classic, environment), Folders{temp / "opt/q2"});
    EXPECT_EQ(startArguments(classic, environment), Folders{});
    EXPECT_EQ(checkGameDirectoryReach(classic, environment),
              "Quake II reads its game data from " + temp / "opt/q2" +
                  ", where its wrapper starts it, and cannot be told another folder: choose " +
                  temp / "opt/q2" + " as the game directory.");
    environment.gameDirectory = temp / "opt/q2";
    EXPECT_EQ(checkGameDirectoryReach(classic, environment), std::nullopt);

    // A portable Q2PRO reads it too, and is told the game directory.
    environment.gameDirectory = game;
    auto q2pro = engine(EngineKind::Q2pro, "opt/q2pro");
    q2pro.workingDirectory = temp / "opt/q2pro";
    EXPECT_EQ(startArguments(q2pro, environment), (Folders{"+set", "basedir", game}));
}

// Flathub's Yamagi Quake II: its sandbox shows it its own folder in the
// home and what the app and the overrides grant, nothing else.
TEST_F(EngineFolders, FollowASandbox) {
    auto sandboxed = engine(EngineKind::YamagiQuake2Flatpak, "flatpak/app/bin");
    sandboxed.sandbox = {
        "org.yamagi.YamagiQ2", "/usr/bin/flatpak", {"--branch=stable"}, temp / "flatpak"};
    const std::string own = environment.home + "/.var/app/org.yamagi.YamagiQ2/.yq2";
    const auto app = temp / "flatpak/app/bin";
    const auto start = [&] { return startCommand(sandboxed, environment, "/x/launcher"); };
    const StartCommand run{"/usr/bin/flatpak", {"run", "--branch=stable", "org.yamagi.YamagiQ2"}};

    // Its own folder as the game directory: named to it by nothing.
    const auto game = environment.gameDirectory;
    environment.gameDirectory = own;
    EXPECT_EQ(engineRoots(sandboxed, environment), (Folders{own, app}));
    EXPECT_EQ(engineScriptsFolder(sandboxed, environment), own + "/vantor");
    EXPECT_EQ(start(), run);
    EXPECT_EQ(checkGameDirectoryReach(sandboxed, environment), std::nullopt);
    EXPECT_EQ(engineInstallationFolder(sandboxed, environment), own);
    // A start that waits for the game ends the sandbox with it.
    EXPECT_EQ(startCommand(sandboxed, environment, "/x/launcher", true).arguments,
              (Folders{"run", "--die-with-parent", "--branch=stable", "org.yamagi.YamagiQ2"}));

    // A game directory outside: neither read nor passed, and the launch says
    // where the game must go.
    environment.gameDirectory = game;
    EXPECT_EQ(engineRoots(sandboxed, environment), (Folders{own, app}));
    EXPECT_EQ(start(), run);
    EXPECT_EQ(checkGameDirectoryReach(sandboxed, environment),
              "Yamagi Quake II (Flatpak) runs in a sandbox that cannot read " + game +
                  ". Put the game data and the add-on (baseq2 and vantor) into " + own +
                  ", or let the engine read the game directory: flatpak override --user "
                  "--filesystem=" +
                  game + " org.yamagi.YamagiQ2");

    // Granted by an override of the user's, it is named with -datadir.
    temp.write("home/p/.local/share/flatpak/overrides/org.yamagi.YamagiQ2",
               "[Context]\nfilesystems=xdg-music;!home;" + temp / "games" + ":ro;\n");
    auto granted = run;
    granted.arguments.insert(granted.arguments.end(), {"-datadir", game});
    EXPECT_EQ(engineRoots(sandboxed, environment), (Folders{own, app, game}));
    EXPECT_EQ(start(), granted);
    EXPECT_EQ(checkGameDirectoryReach(sandboxed, environment), std::nullopt);

    // "host" grants all but the folders the sandbox has of its own.
    temp.write("home/p/.local/share/flatpak/overrides/org.yamagi.YamagiQ2",
               "[Context]\nfilesystems=host\n");
    // No grant shows a folder the sandbox has of its own.
    environment.gameDirectory = "/usr/share/games/quake2";
    EXPECT_EQ(checkGameDirectoryReach(sandboxed, environment),
              "Yamagi Quake II (Flatpak) runs in a sandbox that cannot read "
              "/usr/share/games/quake2, a folder the sandbox has of its own. Put the game data "
              "and the add-on (baseq2 and vantor) into " +
                  own + ".");
}

TEST_F(EngineFolders, SearchBaseq2Once) {
    const auto yamagi = engine(EngineKind::YamagiQuake2, "games/q2");
    EXPECT_EQ(engineSearchPath(yamagi, environment, "baseq2"),
              real(Folders{"HOME/.yq2/baseq2", "GAME/baseq2"}));
    EXPECT_EQ(engineSearchPath(Engine(), environment, "ctf"),
              real(Folders{"GAME/ctf", "GAME/baseq2"}));
}

TEST_F(EngineFolders, CheckTheAddOnsGameLibrary) {
    const auto library = test::fakeElf({.type = 3});
    const auto windows = "MZ\x90" + std::string(100, '\0');
    const auto library32 = test::fakeElf({.bits = 32, .machine = 3, .type = 3});
    const auto arm = test::fakeElf({.machine = 183, .type = 3});
    auto q2proSystem = engine(EngineKind::Q2pro, "usr/bin");
    q2proSystem.systemWide = true;
    q2proSystem.dataFolder = "/usr/share/q2pro";
    q2proSystem.libraryFolder = temp / "usr/lib/q2pro";
    q2proSystem.homeFolder = "~/.q2pro";
    struct Case {
        const char* name;
        Engine engine;
        Files files;
        std::optional<std::string> message;
    };
    const auto yamagi = engine(EngineKind::YamagiQuake2, "games/q2");
    const auto portable = engine(EngineKind::Q2pro, "usr/bin");
    const Case cases[] = {
        {"in the game directory", yamagi, {{"games/q2/vantor/game.so", library}}, std::nullopt},
        {"in the user folder",
         yamagi,
         {{"home/p/.yq2/vantor/game.so", library}, {"games/q2/vantor/game.so", windows}},
         std::nullopt},
        {"none",
         yamagi,
         {},
         "Yamagi Quake II needs the game library game.so in HOME/.yq2/vantor or GAME/vantor."},
        {"baseq2's does not count",
         yamagi,
         {{"games/q2/baseq2/game.so", library}},
         "Yamagi Quake II needs the game library game.so in HOME/.yq2/vantor or GAME/vantor."},
        {"for Windows",
         yamagi,
         {{"games/q2/vantor/gamex86.dll", windows}},
         "Yamagi Quake II needs the game library game.so in HOME/.yq2/vantor or GAME/vantor; "
         "GAME/vantor holds gamex86.dll, built for Windows."},
        {"32-bit, and another's name",
         yamagi,
         {{"games/q2/vantor/game.so", library32}, {"games/q2/vantor/gamex86_64.so", library}},
         "Yamagi Quake II needs the game library game.so in HOME/.yq2/vantor or GAME/vantor; "
         "GAME/vantor holds game.so, a 32-bit library, and gamex86_64.so."},
        {"portable, another machine",
         portable,
         {{"games/q2/vantor/gamearm64.so", arm}},
         "Q2PRO needs the game library gamex86_64.so in GAME/vantor; the folder holds "
         "gamearm64.so, built for another machine (AArch64)."},
        {"portable, in its folder",
         portable,
         {{"games/q2/vantor/gamex86_64.so", library}},
         std::nullopt},
        {"system-wide, in its library folder",
         q2proSystem,
         {{"usr/lib/q2pro/vantor/gamex86_64.so", library}},
         std::nullopt},
        {"system-wide, in the user folder",
         q2proSystem,
         {{"home/p/.q2pro/vantor/gamex86_64.so", library}},
         std::nullopt},
        {"system-wide, in the game directory only",
         q2proSystem,
         {{"games/q2/vantor/gamex86_64.so", library},
          {"usr/lib/q2pro/vantor/gamei386.so", library32}},
         "Q2PRO needs the game library gamex86_64.so in HOME/.q2pro/vantor or "
         "TEMP/usr/lib/q2pro/vantor; TEMP/usr/lib/q2pro/vantor holds gamei386.so, a 32-bit "
         "library; GAME/vantor holds gamex86_64.so."},
        {"an unknown engine", Engine(), {{"games/q2/vantor/gamex86.dll", windows}}, std::nullopt},
    };
    temp.mkdir("home/p/.yq2");
    for (const auto& c : cases) {
        const auto message = c.message ? std::optional(real(*c.message)) : std::nullopt;
        EXPECT_EQ(checkWith(c.engine, c.files), message) << c.name;
    }
}

TEST_F(EngineFolders, FollowEachWindowsBuildsLayout) {
    struct Case {
        const char* name;
        Engine engine;
        bool documents;  // the Documents folder known
        Folders searchPath;
        Folders arguments;
        Folders libraryFolders;
    };
    const Case cases[] = {
        {"Yamagi Quake II",
         windowsEngine(EngineKind::YamagiQuake2, "games/q2"),
         true,
         {"DOCS/YamagiQ2/vantor", "GAME/vantor", "DOCS/YamagiQ2/baseq2", "GAME/baseq2"},
         {},
         {"DOCS/YamagiQ2/vantor", "GAME/vantor"}},
        {"its Documents folder unknown",
         windowsEngine(EngineKind::YamagiQuake2, "games/q2"),
         false,
         {"GAME/vantor", "GAME/baseq2"},
         {},
         {"GAME/vantor"}},
        {"its binary elsewhere",
         windowsEngine(EngineKind::YamagiQuake2, "yq2"),
         true,
         {"DOCS/YamagiQ2/vantor", "TEMP/yq2/vantor", "GAME/vantor", "DOCS/YamagiQ2/baseq2",
          "TEMP/yq2/baseq2", "GAME/baseq2"},
         {"-datadir", "GAME"},
         {"DOCS/YamagiQ2/vantor", "TEMP/yq2/vantor", "GAME/vantor"}},
        {"Q2PRO in the game directory",
         windowsEngine(EngineKind::Q2pro, "games/q2"),
         true,
         {"GAME/vantor", "GAME/baseq2"},
         {},
         {"GAME/vantor"}},
        // It starts in its binary's folder, and loads its game library there
        // even when told another data folder.
        {"Q2PRO elsewhere",
         windowsEngine(EngineKind::Q2pro, "q2pro"),
         true,
         {"GAME/vantor", "GAME/baseq2"},
         {"+set", "basedir", "GAME"},
         {"TEMP/q2pro/vantor"}},
        {"id's Quake II",
         windowsEngine(EngineKind::Quake2, "games/q2"),
         true,
         {"GAME/vantor", "GAME/baseq2"},
         {},
         {"GAME/vantor"}},
    };
    for (const auto& c : cases) {
        environment.documents = c.documents ? temp / "documents" : "";
        const auto searchPath = real(c.searchPath);
        EXPECT_EQ(engineSearchPath(c.engine, environment, "vantor"), searchPath) << c.name;
        EXPECT_EQ(engineScriptsFolder(c.engine, environment), searchPath.front()) << c.name;
        EXPECT_EQ(startArguments(c.engine, environment), real(c.arguments)) << c.name;
        EXPECT_EQ(gameLibraryFolders(c.engine, environment, "vantor"), real(c.libraryFolders))
            << c.name;
    }
    // A Windows build has no user folder in the home, and a POSIX build none
    // in the Documents folder.
    environment.documents = temp / "documents";
    EXPECT_EQ(engineUserFolder(windowsEngine(EngineKind::Q2pro, "games/q2"), environment), "");
    EXPECT_EQ(engineUserFolder(engine(EngineKind::YamagiQuake2, "games/q2"), environment),
              real("HOME/.yq2"));
}

TEST_F(EngineFolders, CheckAWindowsEnginesGameLibrary) {
    using test::fakePe;
    const auto dll = fakePe({.dll = true});
    const auto dll32 = fakePe({.machine = kPeI386, .bits = 32, .dll = true});
    const auto arm = fakePe({.machine = kPeArm64, .dll = true});
    const auto forLinux = test::fakeElf({.type = 3});
    const auto yamagi = windowsEngine(EngineKind::YamagiQuake2, "games/q2");
    const auto q2pro = windowsEngine(EngineKind::Q2pro, "games/q2");
    auto classic = windowsEngine(EngineKind::Quake2, "games/q2");
    classic.gameLibrary = "gamex86.dll";
    classic.pe = *readPeHeader(fakePe({.machine = kPeI386, .bits = 32}));
    struct Case {
        const char* name;
        Engine engine;
        Files files;
        std::optional<std::string> message;
    };
    const std::string yamagiNeeds =
        "Yamagi Quake II needs the game library game.dll (or gamex86.dll) in "
        "DOCS/YamagiQ2/vantor or GAME/vantor";
    const Case cases[] = {
        {"in the game directory", yamagi, {{"games/q2/vantor/game.dll", dll}}, std::nullopt},
        {"its fallback in the user folder",
         yamagi,
         {{"documents/YamagiQ2/vantor/gamex86.dll", dll}},
         std::nullopt},
        {"none", yamagi, {}, yamagiNeeds + "."},
        {"for Linux",
         yamagi,
         {{"games/q2/vantor/game.so", forLinux}},
         yamagiNeeds + "; GAME/vantor holds game.so, built for Linux."},
        {"32-bit, and another machine's",
         yamagi,
         {{"games/q2/vantor/gamex86.dll", dll32}, {"games/q2/vantor/game.dll", arm}},
         yamagiNeeds + "; GAME/vantor holds game.dll, built for another machine (ARM64), and "
                       "gamex86.dll, a 32-bit library."},
        {"a program by a library's name",
         q2pro,
         {{"games/q2/vantor/gamex86_64.dll", fakePe({})}},
         "Q2PRO needs the game library gamex86_64.dll in GAME/vantor; the folder holds "
         "gamex86_64.dll, not a library."},
        {"id's own", classic, {{"games/q2/vantor/gamex86.dll", dll32}}, std::nullopt},
        {"64-bit for id's",
         classic,
         {{"games/q2/vantor/gamex86.dll", dll}},
         "Quake II needs the game library gamex86.dll in GAME/vantor; the folder holds "
         "gamex86.dll, a 64-bit library."},
    };
    environment.documents = temp / "documents";
    for (const auto& c : cases) {
        const auto message = c.message ? std::optional(real(*c.message)) : std::nullopt;
        EXPECT_EQ(checkWith(c.engine, c.files), message) << c.name;
    }
}

}  // namespace
}  // namespace wyn
