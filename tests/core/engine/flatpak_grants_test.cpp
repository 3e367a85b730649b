#include <gtest/gtest.h>

#include <filesystem>

#include "engine/flatpak_grants.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;

constexpr const char* kApp = "org.yamagi.YamagiQ2";

// A computer of its own: a home, reached also through a link, a user's and a
// system's Flatpak installation, each file written as flatpak and a desktop
// write them. In paths, HOME is the home, T the test's folder.
class FlatpakGrants : public ::testing::Test {
protected:
    test::TempDir temp;
    FlatpakUser user{temp.mkdir("home"), "", "", "", "", temp.mkdir("system")};
    std::string userInstallation = temp / "home/.local/share/flatpak";
    std::string systemInstallation = temp / "system";

    std::string real(std::string text) const {
        for (const auto& [name, folder] : {std::pair{"HOME", temp / "home"}, {"T", temp.str()}}) {
            if (text.starts_with(name)) {
                text = folder + text.substr(std::string_view(name).size());
            }
        }
        return text;
    }

    // The grants of one file: a layer's overrides or the app's metadata.
    static std::string context(const std::string& filesystems) {
        return "[Context]\nshared=network;\nfilesystems=" + filesystems + "\n";
    }
};

TEST_F(FlatpakGrants, ReadAsFlatpakAppliesThem) {
    const std::string userDirs =
        "# This file is written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
        "XDG_TEMPLATES_DIR=\"$HOME/Templates\"\nXDG_PUBLICSHARE_DIR=\"$HOME/Public\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\nXDG_MUSIC_DIR=\"$HOME/Music\"\n"
        "XDG_PICTURES_DIR=\"$HOME/Pictures\"\nXDG_VIDEOS_DIR=\"$HOME/Videos\"\n";
    const std::string metadata = "/app/org.yamagi.YamagiQ2/current/active/metadata";
    const std::string overrides = "/overrides/org.yamagi.YamagiQ2";
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;  // below T
        const char* folder;
        bool shown;
        bool systemApp = false;  // installed in the system's installation
    };
    const Case cases[] = {
        {"nothing granted", {}, "HOME/Documents/q2", false},
        {"its own folder", {}, "HOME/.var/app/org.yamagi.YamagiQ2/.yq2", true},
        {"xdg-documents as a desktop names it",
         {{"home/.config/user-dirs.dirs", userDirs},
          {"home/.local/share/flatpak" + overrides, context("xdg-documents;")}},
         "HOME/Documents/q2",
         true},
        {"xdg-documents without user-dirs.dirs names none",
         {{"home/.local/share/flatpak" + overrides, context("xdg-documents;")}},
         "HOME/Documents/q2",
         false},
        {"xdg-desktop is ~/Desktop without it",
         {{"home/.local/share/flatpak" + overrides, context("xdg-desktop")}},
         "HOME/Desktop/q2",
         true},
        {"a special folder at a full path",
         {{"home/.config/user-dirs.dirs", "  XDG_DOCUMENTS_DIR = \"" + temp / "docs/\"\n"},
          {"home/.local/share/flatpak" + overrides, context("xdg-documents:ro")}},
         "T/docs/q2",
         true},
        {"a special folder that is the home gives nothing",
         {{"home/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n"},
          {"home/.local/share/flatpak" + overrides, context("xdg-documents")}},
         "HOME/q2",
         false},
        {"a subfolder of xdg-data",
         {{"home/.local/share/flatpak" + overrides, context("xdg-data/games:create")}},
         "HOME/.local/share/games/q2",
         true},
        {"the user's global override",
         {{"home/.local/share/flatpak/overrides/global", context("~")}},
         "HOME/q2",
         true},
        {"the app's override over the global one",
         {{"home/.local/share/flatpak/overrides/global", context("home")},
          {"home/.local/share/flatpak" + overrides, context("!home")}},
         "HOME/q2",
         false},
        {"the app's metadata, negated by an override",
         {{"home/.local/share/flatpak" + metadata, context("home/games;")},
          {"home/.local/share/flatpak" + overrides, context("!~/games")}},
         "HOME/games/q2",
         false},
        {"the app's metadata",
         {{"home/.local/share/flatpak" + metadata, context("home;")}},
         "HOME/q2",
         true},
        {"a negated folder below a granted one",
         {{"home/.config/user-dirs.dirs", userDirs},
          {"home/.local/share/flatpak" + overrides, context("home;!xdg-documents")}},
         "HOME/Documents/q2",
         false},
        {"one folder shown and hidden is shown",
         {{"home/.local/share/flatpak" + overrides, context("home;!" + temp / "home")}},
         "HOME/q2",
         true},
        {"a granted folder below a negated one",
         {{"home/.config/user-dirs.dirs", userDirs},
          {"home/.local/share/flatpak" + overrides,
           context("home;!xdg-documents;xdg-documents/q2")}},
         "HOME/Documents/q2",
         true},
        {"the system's overrides leave a user's app alone",
         {{"system" + overrides, context("home")}, {"system/overrides/global", context("home")}},
         "HOME/q2",
         false},
        {"the system's overrides for a system's app",
         {{"system" + overrides, context("home")}},
         "HOME/q2",
         true,
         true},
        {"the system's app override over its global one",
         {{"system/overrides/global", context("home")}, {"system" + overrides, context("!home")}},
         "HOME/q2",
         false,
         true},
        {"the user's global override over the system's app override",
         {{"system" + overrides, context("!home")},
          {"home/.local/share/flatpak/overrides/global", context("home")}},
         "HOME/q2",
         true,
         true},
        {"a reset drops what came before",
         {{"system" + overrides, context("home")},
          {"home/.local/share/flatpak/overrides/global", context("!host:reset;" + temp / "x")}},
         "HOME/q2",
         false,
         true},
        {"the last line of the last group counts",
         {{"home/.local/share/flatpak" + overrides,
           "[Context]\nfilesystems=home\nfilesystems=/nowhere\n[Application]\nfilesystems=home\n"}},
         "HOME/q2",
         false},
        {"one folder with and without its last slash",
         {{"home/.local/share/flatpak/overrides/global", context(temp / "games/")},
          {"home/.local/share/flatpak" + overrides, context("!" + temp / "games")}},
         "T/games/q2",
         false},
        {"a name with an escaped separator",
         {{"home/.local/share/flatpak" + overrides, context(temp / "a\\;b\\s;")}},
         "T/a;b /q2",
         true},
        {"an unknown suffix",
         {{"home/.local/share/flatpak" + overrides, context("home:all")}},
         "HOME/q2",
         false},
        {"the host's /usr is under /run/host",
         {{"home/.local/share/flatpak" + overrides, context("host-os;host-etc;host")}},
         "/usr/share/games/quake2",
         false},
        {"the host leaves /tmp out",
         {{"home/.local/share/flatpak" + overrides, context("host")}},
         "T/q2",
         false},
        {"a full path",
         {{"home/.local/share/flatpak" + overrides, context(temp / "games")}},
         "T/games/q2",
         true},
    };
    ASSERT_TRUE(temp.str().starts_with("/tmp/")) << "the host case needs the test in /tmp";
    for (const auto& c : cases) {
        for (const auto& [file, text] : c.files) {
            temp.write(file, text);
        }
        const auto folder = real(c.folder);
        if (!folder.starts_with("/usr")) {
            fs::create_directories(folder);
        }
        const auto installation = c.systemApp ? systemInstallation : userInstallation;
        EXPECT_EQ(flatpakShows(kApp, installation, user, folder), c.shown) << c.name;
        for (const auto& [file, text] : c.files) {
            fs::remove(temp / file);
        }
    }
}

TEST(SpecialFolders, AsGLibReadsUserDirs) {
    using Folders = std::map<std::string, std::string>;
    const std::pair<std::string, Folders> cases[] = {
        {"", {{"xdg-desktop", "/h/Desktop"}}},
        {"XDG_DESKTOP_DIR=\"$HOME/Bureau\"\nXDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n"
         "XDG_MUSIC_DIR=\"/srv/music/\"\nXDG_VIDEOS_DIR=\"$HOME\"\n",
         {{"xdg-desktop", "/h/Bureau"},
          {"xdg-documents", "/h/Documents"},
          {"xdg-music", "/srv/music"},
          {"xdg-videos", "/h"}}},
        {"XDG_MUSIC_DIR=\"/\"\nXDG_VIDEOS_DIR=\"Videos\"\nXDG_PICTURES_DIR=$HOME/P\n"
         "XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"/b\"\n# XDG_TEMPLATES_DIR=\"/t\"\n",
         {{"xdg-desktop", "/h/Desktop"}, {"xdg-documents", "/b"}}},
    };
    for (const auto& [text, folders] : cases) {
        EXPECT_EQ(specialFolders(text, "/h"), folders) << text;
    }
}

// Links are resolved on both sides: a home reached through /home -> /var/home,
// a grant named by either path.
TEST_F(FlatpakGrants, FollowLinks) {
    temp.mkdir("var/home/p/games/q2");
    fs::create_directory_symlink(temp / "var/home", temp / "linked");
    user.home = temp / "linked/p";
    const auto overrides = temp / "var/home/p/.local/share/flatpak/overrides/" + kApp;
    for (const auto& grant : {std::string("~/games"), temp / "var/home/p/games"}) {
        temp.write("var/home/p/.local/share/flatpak/overrides/" + std::string(kApp),
                   context(grant));
        for (const auto& folder : {temp / "linked/p/games/q2", temp / "var/home/p/games/q2"}) {
            EXPECT_TRUE(flatpakShows(kApp, "", user, folder)) << grant << " " << folder;
        }
    }
    fs::remove(overrides);
    EXPECT_FALSE(flatpakShows(kApp, "", user, temp / "var/home/p/games/q2"));
    EXPECT_EQ(userFlatpakInstallation(user), temp / "linked/p/.local/share/flatpak");
    user.dataHome = temp / "data";
    EXPECT_EQ(userFlatpakInstallation(user), temp / "data/flatpak");
}

}  // namespace
}  // namespace wyn
