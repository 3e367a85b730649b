#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/own_places.h"
#include "platform/system_path.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;

// Sets variables of the environment for the life of the object (nullopt:
// unset), and gives back what was there.
class Environment {
public:
    explicit Environment(std::map<std::string, std::optional<std::string>> values)
        : m_values(std::move(values)) {
        swap();
    }
    ~Environment() { swap(); }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

private:
    // Sets each variable to its value and keeps what it held instead.
    void swap() {
        for (auto& [name, value] : m_values) {
            const char* was = std::getenv(name.c_str());
            auto held = was != nullptr ? std::optional<std::string>(was) : std::nullopt;
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
            value = std::move(held);
        }
    }
    std::map<std::string, std::optional<std::string>> m_values;
};

TEST(OwnPlaces, TheStateFolderIsTheXdgStateHomesOrTheHomes) {
    const test::TempDir home;
    struct Case {
        std::optional<std::string> stateHome;
        std::string folder;
    };
    const Case cases[] = {
        {std::nullopt, home / ".local/state/wyn"},
        {"/srv/state", "/srv/state/wyn"},
        {"", home / ".local/state/wyn"},
        // Relative: read as unset, as every XDG folder is.
        {"state", home / ".local/state/wyn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stateHome.value_or("(unset)"));
        const Environment environment({{"HOME", home.str()}, {"XDG_STATE_HOME", c.stateHome}});
        EXPECT_EQ(stateFolder(), c.folder);
        EXPECT_EQ(gameLogPath(), c.folder + "/game.log");
    }
}

// Earlier versions kept the news in the data folder, as Tolvane/WYN: a cache
// there moves into the state folder while that has none, and the folders it
// leaves empty go.
TEST(OwnPlaces, TheNewsCacheMovesIntoTheStateFolder) {
    struct Case {
        const char* name;
        const char* earlier;   // the earlier cache's bytes; nullptr: none
        const char* current;   // the state folder's
        bool earlierBesideIt;  // another file of the user's in the earlier folder
        const char* read;      // what the state folder's cache holds then
        bool earlierLeft;      // the earlier cache is still there
    };
    const Case cases[] = {
        {"only the earlier cache", "Old news\r\n", nullptr, false, "Old news\r\n", false},
        {"the earlier cache and another file", "Old news\r\n", nullptr, true, "Old news\r\n",
         false},
        {"both", "Old news\r\n", "New news\r\n", false, "New news\r\n", true},
        {"none", nullptr, nullptr, false, nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempDir home;
        const Environment environment({{"HOME", home.str()},
                                       {"XDG_STATE_HOME", std::nullopt},
                                       {"XDG_DATA_HOME", std::nullopt}});
        const std::string earlier = home / ".local/share/Tolvane/WYN";
        const std::string state = home / ".local/state/wyn";
        if (c.earlier != nullptr) {
            home.write(".local/share/Tolvane/WYN/devnews.dat", c.earlier);
        }
        if (c.earlierBesideIt) {
            home.write(".local/share/Tolvane/WYN/notes.txt", "mine");
        }
        if (c.current != nullptr) {
            home.write(".local/state/wyn/devnews.dat", c.current);
        }

        EXPECT_EQ(newsCacheFolder("devnews.dat"), state);
        EXPECT_TRUE(fs::is_directory(state));
        if (c.read != nullptr) {
            EXPECT_EQ(home.read(".local/state/wyn/devnews.dat"), c.read);
        } else {
            EXPECT_FALSE(fs::exists(state + "/devnews.dat"));
        }
        EXPECT_EQ(fs::exists(earlier + "/devnews.dat"), c.earlierLeft);
        EXPECT_EQ(fs::exists(home / ".local/share/Tolvane"), c.earlierLeft || c.earlierBesideIt);
    }
}

// On Linux a variable's value is the file system's bytes, UTF-8 or not.
TEST(OwnPlaces, TheEnvironmentIsReadAsItsBytes) {
    const std::string latin1 = "/home/j\xf6rg";
    const Environment environment({{"WYN_TEST_FOLDER", latin1}});
    EXPECT_EQ(environmentValue("WYN_TEST_FOLDER"), latin1);
    EXPECT_EQ(environmentValue("WYN_TEST_UNSET_VARIABLE"), "");
}

}  // namespace
}  // namespace wyn
