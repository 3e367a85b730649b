#include "app/search_environment.h"

#include <QDir>

#include "platform/system_folders.h"
#include "platform/system_path.h"

namespace wyn {

PlatformProfile systemProfile() {
    PlatformProfile profile = PlatformProfile::native();
    profile.home = homeFolder();
    profile.xdgDataHome = environmentValue("XDG_DATA_HOME");
    profile.xdgConfigHome = environmentValue("XDG_CONFIG_HOME");
    profile.xdgCacheHome = environmentValue("XDG_CACHE_HOME");
    profile.xdgRuntimeDir = environmentValue("XDG_RUNTIME_DIR");
    // Where Windows engines keep their user folders (Yamagi Quake II's YamagiQ2).
    profile.documents = documentsFolder();
    return profile;
}

std::string currentDirectory() {
    return fromSystemPath(QDir::currentPath());
}

SearchEnvironment systemSearchEnvironment() {
    SearchEnvironment environment;
    environment.home = homeFolder();
    environment.path = environmentValue("PATH");
    environment.currentDirectory = currentDirectory();
    environment.steamFolders = registeredSteamFolders();
    environment.programFilesFolders = programFilesFolders();
    environment.fixedDrives = fixedDrives();
    environment.gogFolders = registeredGogFolders();
    return environment;
}

}  // namespace wyn
