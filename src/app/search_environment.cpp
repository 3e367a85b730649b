#include "app/search_environment.h"

#include <QDir>

#include <cstdlib>

#include "platform/system_folders.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

std::string variable(const char* value) {
    return value != nullptr ? value : "";
}

}  // namespace

PlatformProfile systemProfile() {
    PlatformProfile profile = PlatformProfile::native();
    profile.home = fromSystemPath(qEnvironmentVariable("HOME"));
    profile.xdgDataHome = fromSystemPath(qEnvironmentVariable("XDG_DATA_HOME"));
    return profile;
}

std::string currentDirectory() {
    return fromSystemPath(QDir::currentPath());
}

SearchEnvironment systemSearchEnvironment() {
    SearchEnvironment environment;
    environment.home = fromSystemPath(qEnvironmentVariable("HOME"));
    environment.path = variable(std::getenv("PATH"));
    environment.currentDirectory = currentDirectory();
    environment.steamFolders = registeredSteamFolders();
    environment.programFilesFolders = programFilesFolders();
    return environment;
}

}  // namespace wyn
