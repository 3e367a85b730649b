// wynctl launch --wait with the real engines as players install them: a
// system-wide build, Debian's launchers (client and server) in front of an
// alternatives link, wrappers of one's own, and Flathub's sandboxed Yamagi
// Quake II (the Flatpak the fixture builds, installed into the test's home).
// In each the engine's console holds the session's settings, whatever older
// script waits where the engine reads first.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/text_file.h"
#include "debian_launcher.h"
#include "engine_preset.h"
#include "shell_run.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;

const std::string kEngines = WYN_TEST_ENGINES;
const std::string kYamagi = kEngines + "/yquake2/q2ded";
const std::string kSystemWide = kEngines + "/yquake2-system/lib/yamagi-quake2/q2ded";
const std::string kLibrary = kEngines + "/yquake2/baseq2/game.so";
const std::string kQ2pro = kEngines + "/q2pro-portable/q2proded";
const std::string kQ2proLibrary = kEngines + "/q2pro-portable/gamex86_64.so";
constexpr const char* kApp = "org.yamagi.YamagiQ2";

struct Installed {
    std::string program;  // what the player gives WYN
    std::string game;     // the game directory
};

// Each layout makes its installation below the test's folder and home.
struct Layout {
    const char* name;
    std::function<Installed(const test::TempDir&, const std::string& home)> install;
    const char* engine;  // as wynctl where names it
};

std::string script(const test::TempDir& temp, const std::string& name, const std::string& text) {
    const auto path = temp.write(name, "#!/bin/sh\n" + text);
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

// Installs the test Flatpak for a home, as flatpak --user does it.
void installFlatpak(const std::string& home) {
    const auto [output, status] = test::runShell(
        "export HOME='" + home + "'; mkdir -p \"$HOME/.local/share\" && " +
        "flatpak --user remote-add --no-gpg-verify wyn-test 'file://" WYN_TEST_FLATPAK_REPO
        "' && flatpak --user install --noninteractive -y --no-related wyn-test " +
        "runtime/org.wyn.TestPlatform/x86_64/test app/" + kApp + "/x86_64/stable");
    ASSERT_EQ(status, 0) << output;
}

// A straight wrapper that names the data folder, in front of the
// alternatives link to the engine.
constexpr const char* kStraightWrapper = R"(set -e
data_location=DATA
engine_path=ENGINE
options=
use_data_location="$data_location"
if ! [ -d "${data_location}/baseq2" ]; then
    echo "no game data in ${data_location}" >&2
    exit 1
fi
exec ${engine_path} ${options} +set basedir "$use_data_location" "$@"
)";

// Debian's game data: the launcher tests for baseq2/pak0.pak, and the
// engine reads it, so it is a real one (the header "PACK", the directory's
// offset and size) holding one empty file.
std::string debianData(const test::TempDir& temp) {
    std::string pak(12 + 64, '\0');
    pak.replace(0, 4, "PACK");
    pak[4] = 12;  // the directory's offset
    pak[8] = 64;  // its size: one entry
    pak.replace(12, 9, "empty.txt");
    pak[12 + 56] = 12;  // the file's offset; its size 0
    temp.write("usr/share/games/quake2/baseq2/pak0.pak", pak);
    return temp / "usr/share/games/quake2";
}

// The alternatives link to the engine, through /etc/alternatives.
std::string alternative(const test::TempDir& temp, const std::string& name) {
    temp.mkdir("etc/alternatives");
    fs::create_symlink(kSystemWide, temp / ("etc/alternatives/" + name));
    const auto link = temp.mkdir("usr/lib/quake2") + "/" + name;
    fs::create_symlink(temp / ("etc/alternatives/" + name), link);
    return link;
}

Installed straightWrapper(const test::TempDir& temp, const std::string&) {
    const auto data = temp.mkdir("usr/share/games/quake2");
    const auto engine = alternative(temp, "quake2-engine");
    const auto text = test::replaced(kStraightWrapper, {{"DATA", data}, {"ENGINE", engine}});
    return {script(temp, "usr/games/quake2", text), data};
}

// The client, and the server the package makes from the same text.
Installed debianLauncher(const test::TempDir& temp, bool server) {
    const auto data = debianData(temp);
    const auto engine = alternative(temp, server ? "quake2-engine-server" : "quake2-engine");
    const auto path = temp.write(server ? "usr/games/quake2-server" : "usr/games/quake2",
                                 test::debianLauncher(server, data, engine));
    fs::permissions(path, fs::perms::owner_all);
    return {path, data};
}

// A wrapper that prefers Q2PRO where it is installed, on one line: the
// shell starts Q2PRO, which WYN does not read as sure (unknown), and so
// starts in the game directory, which a portable Q2PRO reads.
Installed choosingWrapper(const test::TempDir& temp, const std::string&) {
    const auto game = temp.mkdir("game");
    fs::copy_file(kQ2proLibrary, temp.mkdir("game/baseq2") + "/gamex86_64.so");
    fs::copy_file(kQ2proLibrary, temp.mkdir("game/vantor") + "/gamex86_64.so");
    return {script(temp, "usr/games/quake2",
                   "engine=" + kYamagi + "\nif [ -x " + kQ2pro + " ]; then engine=" + kQ2pro +
                       "; fi\nexec \"$engine\" \"$@\"\n"),
            game};
}

// A wrapper that changes to the engine's own folder, the game data elsewhere.
Installed folderWrapper(const test::TempDir& temp, const std::string&) {
    fs::copy_file(kYamagi, temp.mkdir("opt/quake2") + "/quake2");
    return {
        script(temp, "usr/games/quake2", "cd " + temp / "opt/quake2" + "\nexec ./quake2 \"$@\"\n"),
        temp.mkdir("game")};
}

// A wrapper of one's own beside the engine, in the game directory.
Installed ownWrapper(const test::TempDir& temp, const std::string& options) {
    const auto game = temp.mkdir("game");
    fs::copy_file(kYamagi, game + "/q2ded");
    return {script(temp, "game/quake2",
                   "cd \"$(dirname \"$0\")\"\nexec ./q2ded" + options + " \"$@\"\n"),
            game};
}

// A user's grant of ~/Documents (which the launch names to the engine), with
// user-dirs.dirs as a desktop writes it, or without.
void grantDocuments(const std::string& home, bool named) {
    const auto [output, status] = test::runShell(
        "HOME='" + home + "' flatpak override --user --filesystem=xdg-documents " + kApp);
    ASSERT_EQ(status, 0) << output;
    if (named) {
        fs::create_directories(home + "/.config");
        writeLines(home + "/.config/user-dirs.dirs",
                   {"# This file is written by xdg-user-dirs-update",
                    "XDG_DESKTOP_DIR=\"$HOME/Desktop\"", "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"",
                    "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"", "XDG_MUSIC_DIR=\"$HOME/Music\""});
    }
}

// "shown" when the sandbox itself shows a folder's game data.
std::string sandboxShows(const std::string& home, const std::string& folder) {
    return test::runShell("HOME='" + home + "' flatpak run --command=sh " + kApp +
                          " -c 'test -d \"$0/baseq2\" && echo shown' '" + folder + "'")
        .first;
}

const Layout kLayouts[] = {
    {"SystemWide",
     [](const test::TempDir& temp, const std::string&) {
         return Installed{kSystemWide, temp.mkdir("game")};
     },
     "Yamagi Quake II"},
    {"StraightWrapper", straightWrapper, "Yamagi Quake II"},
    {"DebianClient",
     [](const test::TempDir& temp, const std::string&) { return debianLauncher(temp, false); },
     "Yamagi Quake II"},
    {"DebianServer",
     [](const test::TempDir& temp, const std::string&) { return debianLauncher(temp, true); },
     "Yamagi Quake II"},
    {"ChoosingWrapper", choosingWrapper, "unknown"},
    {"FolderWrapper", folderWrapper, "Yamagi Quake II"},
    {"OwnWrapperPortable",
     [](const test::TempDir& temp, const std::string&) { return ownWrapper(temp, " -portable"); },
     "Yamagi Quake II"},
    {"OwnWrapper",
     [](const test::TempDir& temp, const std::string&) { return ownWrapper(temp, ""); },
     "Yamagi Quake II"},
    {"Flatpak",
     [](const test::TempDir&, const std::string& home) {
         installFlatpak(home);
         const std::string game = home + "/.var/app/" + kApp + "/.yq2";
         fs::create_directories(game);
         return Installed{home + "/.local/share/flatpak/exports/bin/" + kApp, game};
     },
     "Yamagi Quake II (Flatpak)"},
    {"FlatpakDocuments",
     [](const test::TempDir&, const std::string& home) {
         installFlatpak(home);
         grantDocuments(home, true);
         const std::string game = home + "/Documents/Quake II";
         fs::create_directories(game + "/baseq2");
         EXPECT_EQ(sandboxShows(home, game), "shown\n");
         return Installed{home + "/.local/share/flatpak/exports/bin/" + kApp, game};
     },
     "Yamagi Quake II (Flatpak)"},
};

class InstalledEngine : public ::testing::TestWithParam<Layout> {
protected:
    test::TempDir temp;
    std::string home = temp.mkdir("home");
    Installed installed;

    void SetUp() override {
        temp.mkdir("home/.local/share");
        installed = GetParam().install(temp, home);
        if (HasFatalFailure()) {
            return;
        }
        const auto& game = installed.game;
        fs::create_directories(game + "/vantor");
        fs::create_directories(game + "/baseq2/maps");
        writeLines(game + "/baseq2/maps/q2dm1.bsp", {});
        writeLines(game + "/vantor/bots.cfg", {"[bots]", "\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100"});
        fs::copy_file(kLibrary, game + "/baseq2/game.so");
        fs::copy_file(kLibrary, game + "/vantor/game.so");
        // An older script in the user folder the engine reads first.
        fs::create_directories(home + "/.local/share/YamagiQ2/vantor");
        writeLines(home + "/.local/share/YamagiQ2/vantor/wyn.cfg", {"set fraglimit 99"});
    }

    std::string wynctl(const std::string& command) const {
        return "env -i PATH=/usr/bin:/bin HOME='" + home + "' " + WYNCTL_PATH + " --settings '" +
               home + "/s.ini' --game-dir '" + installed.game + "' --exe '" + installed.program +
               "' " + command;
    }
};

TEST_P(InstalledEngine, IsKnownAndItsConsoleHoldsTheSessionsSettings) {
    const std::string inGame = "cd '" + installed.game + "' && ";
    const auto [where, found] = test::runShell(inGame + wynctl("where"));
    EXPECT_EQ(found, 0) << where;
    EXPECT_NE(where.find(std::string("engine\t") + GetParam().engine + "\n"), std::string::npos)
        << where;

    const auto [output, status] =
        test::runShell(inGame + "printf 'fraglimit\\nmaxclients\\nquit\\n' | " +
                       wynctl("launch --wait '" + test::writeEnginePreset(temp) + "'") + " 2>&1");
    EXPECT_EQ(status, 0) << where << output;
    EXPECT_NE(output.find("\"fraglimit\" is \"20\""), std::string::npos) << where << output;
    EXPECT_NE(output.find("\"maxclients\" is \"8\""), std::string::npos) << output;
}

// Stopping wynctl stops the engine, also in a sandbox: flatpak run becomes
// bubblewrap, which without --die-with-parent would leave the engine running.
TEST_P(InstalledEngine, StopsWithWynctl) {
    for (const auto* signal : {"TERM", "INT"}) {
        const auto [output, status] = test::runShell(
            "cd '" + installed.game + "' && sh " WYN_STOP_ENGINE " '" + home + "' " + signal + " " +
            wynctl("launch --wait '" + test::writeEnginePreset(temp) + "'"));
        // The engine ran beside wynctl, and wynctl ended with it (137: it had
        // to be killed).
        EXPECT_EQ(output.find("before: wynctl"), std::string::npos) << signal << "\n" << output;
        EXPECT_NE(output.find(" wynctl \nstatus: "), std::string::npos) << signal << "\n" << output;
        EXPECT_EQ(output.find("status: 137"), std::string::npos) << signal << "\n" << output;
        EXPECT_NE(output.find("after: \n"), std::string::npos) << signal << "\n" << output;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, InstalledEngine, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

// Without user-dirs.dirs Flatpak knows no Documents folder: the sandbox does
// not show the game there, and WYN says so instead of starting it. The
// installations search finds the Flatpak's own folder through its launcher.
TEST(FlatpakPlayer, WithoutUserDirsDocumentsAreNotShown) {
    test::TempDir temp;
    const auto home = temp / "home";
    const auto game = home + "/Documents/Quake II";
    const auto own = home + "/.var/app/" + kApp + "/.yq2";
    for (const auto& folder :
         {home + "/.local/share", game + "/baseq2", own + "/baseq2", own + "/vantor"}) {
        fs::create_directories(folder);
    }
    installFlatpak(home);
    grantDocuments(home, false);
    EXPECT_EQ(sandboxShows(home, game), "");
    const auto wynctl = "env -i PATH=/usr/bin:/bin HOME='" + home + "' " + WYNCTL_PATH +
                        " --settings '" + home + "/s.ini' ";
    const auto [output, status] = test::runShell(
        wynctl + "--game-dir '" + game + "' --exe '" + home + "/.local/share/flatpak/exports/bin/" +
        kApp + "' launch --wait '" + test::writeEnginePreset(temp) + "'");
    EXPECT_EQ(status, 1) << output;
    EXPECT_NE(output.find("runs in a sandbox that cannot read " + game), std::string::npos)
        << output;
    EXPECT_EQ(test::runShell(wynctl + "installations").first, "Full\t" + own + "\n");
}

}  // namespace
}  // namespace wyn
