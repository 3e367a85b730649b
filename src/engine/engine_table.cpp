#include "engine/engine_table.h"

#include <algorithm>
#include <array>

#include "engine/pe.h"

namespace wyn {

namespace {

using namespace std::string_view_literals;

constexpr std::uint16_t kI386 = 3;
constexpr std::uint16_t kX8664 = 62;
constexpr std::uint16_t kAarch64 = 183;

// Yamagi Quake II: the marker is Qcommon_Buildstring's version line; a build
// with XDG support says so in the same line. It reads its user folder, the
// folder of its binary and the data folder named by -datadir, and loads
// game.so from any of their mod folders. On Windows its user folder is
// YamagiQ2 in the Documents folder, and it tries game.dll, then gamex86.dll,
// in each mod folder.
constexpr std::array kYamagiPrograms{"quake2"sv, "yquake2"sv};
constexpr std::array kYamagiServers{"q2ded"sv};
constexpr std::array kYamagiArguments{"-datadir"sv};
constexpr std::array kYamagiLibraries{GameLibraryName{0, 0, "game.so", "game.dll", "gamex86.dll"}};
// "+set basedir" is the older name of -datadir, which distributions' wrappers
// still give; -cfgdir names the user folder below the home.
constexpr std::array kYamagiFolderArguments{
    FolderArgument{"-datadir", FolderArgumentKind::DataFolder},
    FolderArgument{"+set basedir", FolderArgumentKind::DataFolder},
    FolderArgument{"-cfgdir", FolderArgumentKind::UserFolderInHome},
    FolderArgument{"-portable", FolderArgumentKind::Portable},
};
constexpr std::array kYamagiLaunchers{"/usr/bin/yamagi-quake2"sv, "/usr/bin/yamagi-q2ded"sv,
                                      "/usr/bin/yquake2"sv, "/usr/bin/yq2ded"sv};

// Flathub's Yamagi Quake II: the client in the app's bin folder, which it
// reads as its binary's; its ~/.yq2 is a folder the sandbox keeps.
constexpr std::array kYamagiFlatpakPrograms{"quake2"sv};

// Q2PRO: the marker is the line its start-up prints last. A system-wide
// build compiles in its home ("~/.q2pro") and its data and library folders
// ("PREFIX/share/q2pro", "PREFIX/lib/q2pro"); a portable build uses the
// working directory for all. Its game library is "game" CPUSTRING LIBSUFFIX.
// A Windows build is portable, and makes the folder of its binary its
// working directory before it reads anything.
constexpr std::array kQ2proPrograms{"q2pro"sv};
constexpr std::array kQ2proServers{"q2proded"sv};
constexpr std::array kQ2proArguments{"+set"sv, "basedir"sv};
constexpr std::array kQ2proFolderArguments{
    FolderArgument{"+set basedir", FolderArgumentKind::DataFolder},
    FolderArgument{"+set homedir", FolderArgumentKind::UserFolder},
};
constexpr std::array kQ2proLaunchers{"/usr/bin/q2pro"sv, "/usr/games/q2pro"sv,
                                     "/usr/bin/q2proded"sv, "/usr/games/q2proded"sv};
constexpr std::array kQ2proLibraries{
    GameLibraryName{kX8664, kPeX64, "gamex86_64.so", "gamex86_64.dll"},
    GameLibraryName{kI386, kPeI386, "gamei386.so", "gamex86.dll"},
    GameLibraryName{kAarch64, kPeArm64, "gamearm64.so", "gamearm64.dll"},
};

// id's own Quake II: the marker is the line Qcommon_Init prints last. It
// reads the game directory alone and loads gamei386.so (Linux) or
// gamex86.dll (Windows) from its mod folders.
constexpr std::array kClassicPrograms{"quake2"sv};
constexpr std::array kClassicLibraries{GameLibraryName{0, 0, "gamei386.so", "gamex86.dll"}};

// Debian's and Ubuntu's wrappers start whichever engine the alternatives
// name; what it is shows when they are followed.
constexpr std::array kDistributionLaunchers{"/usr/games/quake2"sv, "/usr/games/quake2-server"sv};

constexpr std::array kEngines{
    EngineRow{
        .kind = EngineKind::YamagiQuake2,
        .name = "Yamagi Quake II",
        .marker = "Yamagi Quake II v%s",
        .programs = kYamagiPrograms,
        .servers = kYamagiServers,
        .userFolder = ".yq2",
        .documentsFolder = "YamagiQ2",
        .xdgMarker = " + XDG directory support",
        .xdgUserFolder = "YamagiQ2",
        .dataFolder = DataFolderRule::BinaryFolder,
        .windowsDataFolder = DataFolderRule::BinaryFolder,
        .readsBinaryFolder = true,
        .dataFolderArguments = kYamagiArguments,
        .folderArguments = kYamagiFolderArguments,
        .systemFolderInData = true,
        .launchers = kYamagiLaunchers,
        .libraryFolders = LibraryFolderRule::EachRoot,
        .libraries = kYamagiLibraries,
    },
    EngineRow{
        .kind = EngineKind::YamagiQuake2Flatpak,
        .name = "Yamagi Quake II (Flatpak)",
        .programs = kYamagiFlatpakPrograms,
        .dataFolder = DataFolderRule::BinaryFolder,
        .readsBinaryFolder = true,
        .dataFolderArguments = kYamagiArguments,
        .folderArguments = kYamagiFolderArguments,
        .flatpakId = "org.yamagi.YamagiQ2",
        .sandboxUserFolder = ".yq2",
        .libraryFolders = LibraryFolderRule::EachRoot,
        .libraries = kYamagiLibraries,
    },
    EngineRow{
        .kind = EngineKind::Q2pro,
        .name = "Q2PRO",
        .marker = "====== Q2PRO initialized ======",
        .programs = kQ2proPrograms,
        .servers = kQ2proServers,
        .userFolder = ".q2pro",
        .userFolderCompiledIn = true,
        .dataFolder = DataFolderRule::CompiledIn,
        .windowsDataFolder = DataFolderRule::BinaryFolder,
        .compiledFolderEnd = "/q2pro",
        .siteConfiguration = "/etc/default/q2pro",
        .dataFolderArguments = kQ2proArguments,
        .folderArguments = kQ2proFolderArguments,
        .launchers = kQ2proLaunchers,
        .libraryFolders = LibraryFolderRule::UserThenLibraryFolder,
        .libraryNameInData = true,
        .libraries = kQ2proLibraries,
    },
    EngineRow{
        .kind = EngineKind::Quake2,
        .name = "Quake II",
        .marker = "====== Quake2 Initialized ======",
        .programs = kClassicPrograms,
        .libraries = kClassicLibraries,
    },
    EngineRow{
        .kind = EngineKind::Unknown,
        .name = "unknown",
        .launchers = kDistributionLaunchers,
    },
};

}  // namespace

std::span<const EngineRow> engineRows() {
    return kEngines;
}

const EngineRow& engineRow(EngineKind kind) {
    const auto found = std::ranges::find(kEngines, kind, &EngineRow::kind);
    return found == kEngines.end() ? kEngines.back() : *found;
}

std::vector<std::string_view> knownEngineNames() {
    std::vector<std::string_view> names;
    for (const auto& row : kEngines) {
        if (row.kind != EngineKind::Unknown) {
            names.push_back(row.name);
        }
    }
    return names;
}

std::string defaultGameProgram(const PlatformProfile& profile) {
    return std::string(engineRow(EngineKind::Quake2).programs.front()) +
           std::string(profile.programSuffix());
}

const GameLibraryName* gameLibrary(const EngineRow& row, std::uint16_t machine, bool windows) {
    if (row.libraries.empty()) {
        return nullptr;
    }
    const auto found = std::ranges::find(
        row.libraries, machine, windows ? &GameLibraryName::peMachine : &GameLibraryName::machine);
    return found == row.libraries.end() ? &row.libraries.front() : &*found;
}

DataFolderRule dataFolderRule(const EngineRow& row, bool windows) {
    return windows ? row.windowsDataFolder : row.dataFolder;
}

bool isGameLibraryName(std::string_view text, bool windows) {
    constexpr std::string_view prefix = kGameLibraryPrefix;
    const std::string_view suffix = windows ? ".dll" : ".so";
    if (!text.starts_with(prefix) || !text.ends_with(suffix) ||
        text.size() <= prefix.size() + suffix.size()) {
        return false;
    }
    return std::ranges::all_of(
        text.substr(prefix.size(), text.size() - prefix.size() - suffix.size()),
        [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; });
}

}  // namespace wyn
