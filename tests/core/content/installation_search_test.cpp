#include <gtest/gtest.h>

#include <filesystem>

#include "content/installation_search.h"
#include "fake_elf.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(SteamLibraryFolders, ReadsThePathsOfEveryFormat) {
    struct Case {
        const char* name;
        std::string vdf;
        Names folders;
    };
    const Case cases[] = {
        {"current format",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/.local/share/Steam\"\n"
         "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"2320\"\t\t\"1234\"\n\t\t}\n\t}\n"
         "\t\"1\"\n\t{\n\t\t\"PATH\"\t\t\"/mnt/games/SteamLibrary\"\n\t}\n}\n",
         {"/home/p/.local/share/Steam", "/mnt/games/SteamLibrary"}},
        {"older format",
         "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1600000000\"\n"
         "\t\"ContentStatsID\"\t\t\"-42\"\n\t\"1\"\t\t\"/mnt/lib "
         "one\"\n\t\"2\"\t\t\"/mnt/lib2\"\n}\n",
         {"/mnt/lib one", "/mnt/lib2"}},
        {"escapes, comments, bare words and conditions",
         "// written by Steam\nlibraryfolders { 0 { path \"D:\\\\Steam \\\"Games\\\"\" [$WIN32]\n"
         "path /bare } }",
         {"D:\\Steam \"Games\"", "/bare"}},
        {"damage ends the reading",
         "\"libraryfolders\" { \"0\" { \"path\" \"/a\" } \"1\" { \"path\" \"/b",
         {"/a"}},
        {"a stray brace ends it", "} \"path\" \"/a\"", {}},
        {"empty paths and other keys are not libraries",
         "libraryfolders { 0 { path \"\" label \"/x\" } }",
         {}},
        {"nothing", "", {}},
        {"bytes", std::string("\0\xff{{\"\x01", 6), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(steamLibraryFolders(c.vdf), c.folders) << c.name;
    }

    std::string many = "libraryfolders {";
    for (int i = 0; i < 1000; ++i) {
        const auto number = std::to_string(i);
        many += ' ' + number + " { path /lib" + number + " }";
    }
    EXPECT_EQ(steamLibraryFolders(many + " }").size(), kMaxSteamLibraries);
    EXPECT_TRUE(steamLibraryFolders(std::string(100000, '{')).empty());
}

// A made-up computer: a home, a root for the system's folders, a PATH.
class InstallationSearch : public ::testing::Test {
protected:
    test::TempDir temp;
    std::string home = temp.mkdir("home/player");
    std::string root = temp.mkdir("root");
    SearchEnvironment environment{home, "", temp.mkdir("work"), root, {}, {}, {}, {}};
    PlatformProfile profile = PlatformProfile::posix();

    // A directory with baseq2; with the game's executable and the add-on as asked.
    std::string game(const std::string& relative, bool executable = false, bool addOn = false) {
        temp.mkdir(relative + "/baseq2");
        if (executable) {
            temp.write(relative + "/quake2");
        }
        if (addOn) {
            temp.mkdir(relative + "/vantor");
        }
        return temp / relative;
    }

    std::vector<FoundInstallation> find(const std::string& stored) {
        return findInstallations(stored, environment, profile);
    }
};

TEST_F(InstallationSearch, ListsEveryPlaceOnceInItsOrder) {
    const auto stored = game("stored", true, true);
    const auto defaultDirectory = game("root/usr/local/games/quake2", true);
    const auto current = game("work");
    // A program on PATH that is a link to the real game.
    const auto real = game("opt/yquake2", true);
    temp.write("opt/yquake2/yquake2", test::fakeElf({.strings = {"Yamagi Quake II v%s"}}));
    fs::permissions(temp / "opt/yquake2/yquake2", fs::perms::owner_all);
    temp.mkdir("bin");
    fs::create_symlink(temp / "opt/yquake2/yquake2", temp / "bin/yquake2");
    temp.write("bin/q2pro");  // not executable: not a program
    game("bin");
    environment.path = "/nowhere::relative:" + temp / "bin";
    // The usual folders; ~/quake2 without baseq2 is no installation.
    const auto yq2 = game("home/player/.yq2");
    temp.mkdir("home/player/quake2/vantor");
    const auto opt = game("root/opt/quake2", true, true);
    // Its game program is a script; its dedicated server a Q2PRO.
    temp.write("root/opt/quake2/q2proded",
               test::fakeElf({.strings = {"====== Q2PRO initialized ======"}}));
    // Steam: its own library and a second one its list names; ~/.steam/steam
    // is a link to the same Steam.
    const auto steam = temp.mkdir("home/player/.local/share/Steam");
    const auto first = game("home/player/.local/share/Steam/steamapps/common/Quake 2", true, true);
    const auto second = game("games/SteamLibrary/steamapps/common/Quake 2", true);
    const auto rerelease = game("games/SteamLibrary/steamapps/common/Quake 2/rerelease");
    temp.write("home/player/.local/share/Steam/steamapps/libraryfolders.vdf",
               "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam +
                   "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + temp / "games/SteamLibrary" +
                   "\"\n\t\t\"apps\" { \"2320\" \"1\" }\n\t}\n}\n");
    temp.mkdir("home/player/.steam");
    fs::create_directory_symlink(steam, temp / "home/player/.steam/steam");

    using I = Installation;
    const std::vector<FoundInstallation> expected{
        {stored, I::Full},    {defaultDirectory, I::GameOnly},
        {current, I::None},   {fs::canonical(real).string(), I::GameOnly, "Yamagi Quake II"},
        {yq2, I::None},       {opt, I::Full, "Q2PRO"},
        {first, I::Full},     {second, I::GameOnly},
        {rerelease, I::None},
    };
    EXPECT_EQ(find(stored), expected);

    // The stored directory by another name, or one found later, is listed once, first.
    auto again = find(temp / "home/player/.local/share/Steam/../Steam/steamapps/common/Quake 2/");
    EXPECT_EQ(again.front().installation, I::Full);
    EXPECT_EQ(again.size(), expected.size() - 1);
    EXPECT_EQ(
        std::count_if(again.begin(), again.end(),
                      [&](const FoundInstallation& found) { return found.directory == first; }),
        0);

    // A relative stored directory is taken from the current directory.
    game("work/sub", true, true);
    EXPECT_EQ(find("sub").front(), (FoundInstallation{temp / "work/sub", I::Full}));

    EXPECT_EQ(fullInstallationsFirst(expected),
              (std::vector<FoundInstallation>{expected[0], expected[5], expected[6], expected[1],
                                              expected[2], expected[3], expected[4], expected[7],
                                              expected[8]}));
}

// The game data the installed launchers start their engines on, each named
// by its engine, with the launcher as its game's program: Debian's wrapper
// with its alternatives link, a system-wide build's link, the launcher Flatpak
// exports.
TEST_F(InstallationSearch, FindsWhatInstalledLaunchersStart) {
    const auto program = [this](const std::string& path, const std::string& bytes) {
        temp.write(path, bytes);
        fs::permissions(temp / path, fs::perms::owner_all);
        return temp / path;
    };
    const auto debian = game("srv/debian/quake2", false, true);
    program("root/usr/lib/yamagi-quake2/quake2",
            test::fakeElf({.strings = {"Yamagi Quake II v%s"}}));
    temp.mkdir("root/usr/lib/quake2");
    fs::create_symlink(temp / "root/usr/lib/yamagi-quake2/quake2",
                       temp / "root/usr/lib/quake2/quake2-engine");
    const auto debianWrapper =
        program("root/usr/games/quake2", "#!/bin/sh\ndata_location=" + debian + "\nexec " + root +
                                             "/usr/lib/quake2/quake2-engine +set basedir "
                                             "\"$data_location\" \"$@\"\n");
    const auto arch = game("srv/arch/quake2");
    program("root/usr/lib/yq2/q2ded", test::fakeElf({.strings = {"Yamagi Quake II v%s", arch}}));
    temp.mkdir("root/usr/bin");
    fs::create_symlink(temp / "root/usr/lib/yq2/q2ded", temp / "root/usr/bin/yamagi-q2ded");
    // The sandbox's folder, stored before: the launcher found later starts it.
    const auto sandbox = game("home/player/.var/app/org.yamagi.YamagiQ2/.yq2", false, true);
    const auto flatpak = program(
        "home/player/.local/share/flatpak/exports/bin/org.yamagi.YamagiQ2",
        "#!/bin/sh\nexec /usr/bin/flatpak run --branch=stable org.yamagi.YamagiQ2 \"$@\"\n");
    // An exported app WYN does not know.
    game("home/player/.var/app/org.other.Q2/.q2");
    program("home/player/.local/share/flatpak/exports/bin/org.other.Q2",
            "#!/bin/sh\nexec /usr/bin/flatpak run org.other.Q2 \"$@\"\n");

    using I = Installation;
    const std::vector<FoundInstallation> launched{
        {arch, I::GameOnly, "Yamagi Quake II", root + "/usr/bin/yamagi-q2ded"},
        {sandbox, I::Full, "Yamagi Quake II (Flatpak)", flatpak},
        {debian, I::Full, "Yamagi Quake II", debianWrapper},
    };
    EXPECT_EQ(find(""), launched);
    auto stored = launched;
    std::rotate(stored.begin(), stored.begin() + 1, stored.begin() + 2);
    EXPECT_EQ(find(sandbox), stored);
    EXPECT_EQ(engineLabel(launched[1]), "Yamagi Quake II (Flatpak)");
    EXPECT_EQ(engineLabel(FoundInstallation{arch}), "engine unknown");

    // A directory with a game program of its own keeps it, and its engine.
    temp.write("srv/arch/quake2/quake2");
    EXPECT_EQ(find("").front(), (FoundInstallation{arch, I::GameOnly}));
}

TEST_F(InstallationSearch, NothingFoundWithoutBaseq2OrBadSteamLists) {
    temp.mkdir("stored");
    temp.write("home/player/.steam/steam/steamapps/libraryfolders.vdf", "\"path\" \"/x\" {{{");
    temp.write("home/player/.local/share/Steam/steamapps/libraryfolders.vdf",
               std::string(2 * 1024 * 1024, '{'));
    environment.currentDirectory = temp / "missing";
    EXPECT_TRUE(find(temp / "stored").empty());
    environment.home.clear();
    EXPECT_TRUE(find("").empty());
}

}  // namespace
}  // namespace wyn
