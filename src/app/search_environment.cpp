#include "app/search_environment.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/system_folders.h"

namespace wyn {

namespace {

std::string variable(const char* value) {
    return value != nullptr ? value : "";
}

}  // namespace

SearchEnvironment systemSearchEnvironment() {
    SearchEnvironment environment;
    environment.home = variable(std::getenv("HOME"));
    environment.path = variable(std::getenv("PATH"));
    std::error_code ec;
    environment.currentDirectory = std::filesystem::current_path(ec).string();
    environment.steamFolders = registeredSteamFolders();
    environment.programFilesFolders = programFilesFolders();
    return environment;
}

}  // namespace wyn
