// The installations Windows knows of: Steam's libraries from its registry
// value and library list, and GOG's game from its registry.
#include <QDir>
#include <QSettings>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/search_environment.h"
#include "base/text.h"
#include "content/installation_search.h"
#include "platform/system_path.h"
#include "windows_test.h"

namespace wyn::test {
namespace {

const QString kSteam = QStringLiteral("HKEY_CURRENT_USER\\Software\\Valve\\Steam");
const QString kGog = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\GOG.com\\Games");

bool found(const std::vector<FoundInstallation>& list, const std::string& directory) {
    return std::ranges::any_of(list, [&](const FoundInstallation& entry) {
        return equalsIgnoringCase(entry.directory, directory);
    });
}

TEST(WindowsInstallations, SteamAndGogAreFoundThroughTheRegistry) {
    const JoergsFolder folder;
    const std::string steam = folder.path() + "\\Steam";
    const std::string library = folder.path() + "\\Library";
    const std::string steamGame = library + "\\steamapps\\common\\Quake 2";
    const std::string gogGame = folder.path() + "\\GOG Games\\Quake II";
    folder.write("Library\\steamapps\\common\\Quake 2\\baseq2\\pak0.pak", "");
    folder.write("GOG Games\\Quake II\\baseq2\\pak0.pak", "");
    folder.write("GOG Games\\Quake III\\baseq2\\pak0.pak", "");
    // Valve writes the library list with doubled backslashes, and SteamPath with '/'.
    std::string escaped;
    for (const char c : library) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    folder.write(
        "Steam\\steamapps\\libraryfolders.vdf",
        "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + escaped + "\"\n\t}\n}\n");
    QSettings(kSteam, QSettings::NativeFormat)
        .setValue("SteamPath", QDir::fromNativeSeparators(toSystemPath(steam)));
    {
        QSettings gog(kGog, QSettings::NativeFormat);
        gog.setValue("1441704920/gameName", "Quake II");
        gog.setValue("1441704920/path", toSystemPath(gogGame));
        gog.setValue("1207658692/gameName", "Quake III Arena");
        gog.setValue("1207658692/path", toSystemPath(folder.path() + "\\GOG Games\\Quake III"));
    }

    const SearchEnvironment environment = systemSearchEnvironment();
    const auto list = findInstallations("", environment, systemProfile());
    EXPECT_TRUE(found(list, steamGame));
    EXPECT_TRUE(found(list, gogGame));
    EXPECT_FALSE(found(list, folder.path() + "\\GOG Games\\Quake III"));
    EXPECT_FALSE(environment.fixedDrives.empty());
    EXPECT_TRUE(equalsIgnoringCase(environment.fixedDrives.front(), "C:\\"));

    QSettings(kSteam, QSettings::NativeFormat).remove("SteamPath");
    QSettings(kGog, QSettings::NativeFormat).clear();
}

}  // namespace
}  // namespace wyn::test
