#pragma once

#include <string>
#include <vector>

namespace wyn {

// The user's home: HOME on Linux, the profile folder on Windows, which sets
// no HOME.
std::string homeFolder();
// The user's Documents folder, where Windows engines keep their user folders
// (Yamagi Quake II's YamagiQ2); empty on Linux, where none does.
std::string documentsFolder();

// Folders only Windows names; elsewhere all are empty.
// The Steam folder its registry holds.
std::vector<std::string> registeredSteamFolders();
// The program-files folders, the 32-bit programs' first.
std::vector<std::string> programFilesFolders();
// The root of each fixed drive ("C:\").
std::vector<std::string> fixedDrives();
// The folders GOG's registry names for the game "Quake II".
std::vector<std::string> registeredGogFolders();

}  // namespace wyn
