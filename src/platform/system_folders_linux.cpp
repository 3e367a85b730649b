#include "platform/system_folders.h"
#include "platform/system_path.h"

namespace wyn {

std::string homeFolder() {
    return environmentValue("HOME");
}

std::string documentsFolder() {
    return {};
}

std::vector<std::string> registeredSteamFolders() {
    return {};
}

std::vector<std::string> programFilesFolders() {
    return {};
}

std::vector<std::string> fixedDrives() {
    return {};
}

std::vector<std::string> registeredGogFolders() {
    return {};
}

}  // namespace wyn
