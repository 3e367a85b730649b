#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "engine/flatpak.h"
#include "replaced.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;

constexpr const char* kApp = "org.yamagi.YamagiQ2";
const std::string kUserDirs =  // as xdg-user-dirs-update writes it
    "# This file is written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
    "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\nXDG_MUSIC_DIR=\"$HOME/Music\"\n";

// A computer of its own: a home and a user's and a system's Flatpak
// installation, with the app's metadata ("app") and the overrides ("sys",
// "sysapp", "user", "userapp") as flatpak writes them. @H is the home, @T the
// test's folder.
struct Case {
    const char* name;
    const char* layers;  // "WHERE=GRANTS|..."
    const char* folder;
    bool shown;
    std::string userDirs = {};
    bool systemApp = false;
};

TEST(FlatpakGrants, ReadAsFlatpakAppliesThem) {
    const Case cases[] = {
        {"nothing granted", "", "@H/Documents/q2", false},
        {"its own folder", "", "@H/.var/app/org.yamagi.YamagiQ2/.yq2", true},
        {"xdg-documents as a desktop names it", "userapp=xdg-documents;", "@H/Documents/q2", true,
         kUserDirs},
        {"xdg-documents without user-dirs.dirs", "userapp=xdg-documents;", "@H/Documents/q2",
         false},
        {"~/Desktop without it", "userapp=xdg-desktop", "@H/Desktop/q2", true},
        {"a special folder at a full path", "userapp=xdg-documents:ro", "@T/docs/q2", true,
         "  XDG_DOCUMENTS_DIR = \"@T/docs/\"\n"},
        {"a special folder that is the home", "userapp=xdg-documents", "@H/q2", false,
         "XDG_DOCUMENTS_DIR=\"$HOME/\"\n"},
        {"a subfolder of xdg-data", "userapp=xdg-data/games:create", "@H/.local/share/games/q2",
         true},
        {"the user's global override", "user=~", "@H/q2", true},
        {"the app's over the global one", "user=home|userapp=!home", "@H/q2", false},
        {"the metadata, negated", "app=home/games;|userapp=!~/games", "@H/games/q2", false},
        {"the metadata", "app=home;", "@H/q2", true},
        {"hidden below a shown folder", "userapp=home;!xdg-documents", "@H/Documents/q2", false,
         kUserDirs},
        {"shown below a hidden folder", "userapp=home;!xdg-documents;xdg-documents/q2",
         "@H/Documents/q2", true, kUserDirs},
        {"shown and hidden is shown", "userapp=home;!@H", "@H/q2", true},
        {"the system's for a user's app", "sysapp=home|sys=home", "@H/q2", false},
        {"the system's for its app", "sysapp=home", "@H/q2", true, "", true},
        {"the system's app over its global", "sys=home|sysapp=!home", "@H/q2", false, "", true},
        {"the user's over the system's", "sysapp=!home|user=home", "@H/q2", true, "", true},
        {"a reset", "sysapp=home|user=!host:reset;@T/x", "@H/q2", false, "", true},
        {"one folder, with its last slash", "user=@T/games/|userapp=!@T/games", "@T/games/q2",
         false},
        {"the host's /usr is under /run/host", "userapp=host-os;host", "/usr/share/games", false},
        {"the host leaves /tmp out", "userapp=host", "@T/q2", false},
        {"a full path", "userapp=@T/games", "@T/games/q2", true},
    };
    ASSERT_TRUE(test::TempDir().str().starts_with("/tmp/")) << "the host case needs /tmp";
    for (const auto& c : cases) {
        test::TempDir temp;
        const auto real = [&temp](const std::string& text) {
            return test::replaced(text, {{"@H", temp / "home"}, {"@T", temp.str()}});
        };
        const FlatpakUser user{temp.mkdir("home"), "", "", "", "", temp.mkdir("system")};
        const std::string installation = c.systemApp ? "system" : "home/.local/share/flatpak";
        const std::string app = kApp;
        const std::map<std::string, std::string> files{
            {"app", installation + "/app/" + app + "/current/active/metadata"},
            {"sys", "system/overrides/global"},
            {"sysapp", "system/overrides/" + app},
            {"user", "home/.local/share/flatpak/overrides/global"},
            {"userapp", "home/.local/share/flatpak/overrides/" + app}};
        for (std::string_view rest = c.layers; !rest.empty();) {
            const auto layer = rest.substr(0, rest.find('|'));
            rest.remove_prefix(std::min(rest.size(), layer.size() + 1));
            const auto grants = real(std::string(layer.substr(layer.find('=') + 1)));
            temp.write(files.at(std::string(layer.substr(0, layer.find('=')))),
                       "[Context]\nfilesystems=" + grants);
        }
        temp.write("home/.config/user-dirs.dirs", real(c.userDirs));
        if (const auto folder = real(c.folder); folder.starts_with(temp.str())) {
            fs::create_directories(folder);
        }
        EXPECT_EQ(flatpakShows(kApp, temp / installation, user, real(c.folder)), c.shown) << c.name;
    }
}

// Links are resolved on both sides: a home reached through /home -> /var/home,
// a grant named by either path.
TEST(FlatpakGrants, FollowLinks) {
    test::TempDir temp;
    temp.mkdir("var/home/p/games/q2");
    fs::create_directory_symlink(temp / "var/home", temp / "linked");
    FlatpakUser user{.home = temp / "linked/p", .systemInstallation = temp.mkdir("system")};
    const auto overrides = "var/home/p/.local/share/flatpak/overrides/" + std::string(kApp);
    for (const auto& grant : {std::string("~/games"), temp / "var/home/p/games"}) {
        temp.write(overrides, "[Context]\nfilesystems=" + grant);
        for (const auto& folder : {temp / "linked/p/games/q2", temp / "var/home/p/games/q2"}) {
            EXPECT_TRUE(flatpakShows(kApp, "", user, folder)) << grant << " " << folder;
        }
    }
    fs::remove(temp / overrides);
    EXPECT_FALSE(flatpakShows(kApp, "", user, temp / "var/home/p/games/q2"));
}

}  // namespace
}  // namespace wyn
