#pragma once

#include <string>
#include <vector>

namespace wyn {

// Folders only Windows names: the Steam folder its registry holds and the
// program-files folders. Elsewhere both are empty.
std::vector<std::string> registeredSteamFolders();
std::vector<std::string> programFilesFolders();

}  // namespace wyn
