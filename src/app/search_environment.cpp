#include "app/search_environment.h"

#include <QDir>
#include <QStandardPaths>

#include <cstdlib>

#include "platform/system_folders.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

std::string variable(const char* value) {
    return value != nullptr ? value : "";
}

// The user's home: HOME here, the profile folder on Windows, which sets no HOME.
std::string homeFolder() {
#ifdef Q_OS_WIN
    return fromSystemPath(QDir::toNativeSeparators(QDir::homePath()));
#else
    return fromSystemPath(qEnvironmentVariable("HOME"));
#endif
}

}  // namespace

PlatformProfile systemProfile() {
    PlatformProfile profile = PlatformProfile::native();
    profile.home = homeFolder();
    profile.xdgDataHome = fromSystemPath(qEnvironmentVariable("XDG_DATA_HOME"));
    profile.xdgConfigHome = fromSystemPath(qEnvironmentVariable("XDG_CONFIG_HOME"));
    profile.xdgCacheHome = fromSystemPath(qEnvironmentVariable("XDG_CACHE_HOME"));
    profile.xdgRuntimeDir = fromSystemPath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
#ifdef Q_OS_WIN
    // Where Windows engines keep their user folders (Yamagi Quake II's YamagiQ2).
    profile.documents = fromSystemPath(QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
#endif
    return profile;
}

std::string currentDirectory() {
    return fromSystemPath(QDir::currentPath());
}

SearchEnvironment systemSearchEnvironment() {
    SearchEnvironment environment;
    environment.home = homeFolder();
    environment.path = variable(std::getenv("PATH"));
    environment.currentDirectory = currentDirectory();
    environment.steamFolders = registeredSteamFolders();
    environment.programFilesFolders = programFilesFolders();
    environment.fixedDrives = fixedDrives();
    environment.gogFolders = registeredGogFolders();
    return environment;
}

}  // namespace wyn
