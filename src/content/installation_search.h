#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"
#include "content/installation.h"
#include "engine/engine.h"

namespace wyn {

// Where the search looks besides the fixed folders. The programs fill it from
// the environment; tests make up their own.
struct SearchEnvironment {
    std::string home;              // the user's home directory; empty: none
    std::string path;              // PATH: ':' between directories (';' on Windows)
    std::string currentDirectory;  // relative paths are taken from here
    std::string root;              // put before the system's own folders; empty on a real system
    std::vector<std::string> steamFolders;         // Windows: the Steam folder the registry names
    std::vector<std::string> programFilesFolders;  // Windows: the program-files folders
    std::vector<std::string> fixedDrives;          // Windows: each fixed drive's root ("d:\\")
    std::vector<std::string> gogFolders;  // Windows: the Quake II folders GOG's registry names
};

struct FoundInstallation {
    std::string directory;
    // As the game's program finds it: the launcher it was found through, else
    // the directory's own executable.
    Installation installation = Installation::None;
    // The name of its engine: the one its launcher starts, else the first game
    // program in the directory that is one WYN knows (installedEngine); empty
    // when WYN knows none.
    std::string engine = {};
    // The launcher it was found through (a Flatpak's exported launcher, a
    // distribution's wrapper), which is the game's program; empty: the
    // directory's own.
    std::string program = {};

    bool operator==(const FoundInstallation&) const = default;
};

// How the locate dialog names an installation's engine beside its directory:
// "Yamagi Quake II", "Q2PRO" or "engine unknown".
std::string engineLabel(const FoundInstallation& found);

// The directories on this computer that hold baseq2, each once (links
// followed), in this order: the stored game directory, the platform's
// default, the current directory; the directory of each game program on
// PATH; the usual folders; the Quake II folders of every Steam library; on
// Windows the folders GOG installed.
std::vector<FoundInstallation> findInstallations(const std::string& storedDirectory,
                                                 const SearchEnvironment& environment,
                                                 const PlatformProfile& profile);

// The same list with the full installations first, each group in its order:
// the order a choice is offered in.
std::vector<FoundInstallation> fullInstallationsFirst(std::vector<FoundInstallation> found);

// The library folders a Steam libraryfolders.vdf names: every "path" value
// (and the numbered values of the older format), in their order. Damaged
// input ends the reading; what was read before it stands.
inline constexpr std::size_t kMaxSteamLibraries = 64;
std::vector<std::string> steamLibraryFolders(std::string_view vdf);

}  // namespace wyn
