#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/engine.h"

namespace wyn {

// Everything WYN knows of an engine is one row of the engine table
// (engine_table.cpp); the functions of this folder read rows and never ask
// which engine a row is.

// The folder an engine takes as its data folder when WYN names none.
enum class DataFolderRule {
    WorkingDirectory,  // the game directory WYN starts it in
    BinaryFolder,      // the real folder of its executable
    CompiledIn,        // the one its build names, else the working directory
};

// The mod folders an engine loads its game library from.
enum class LibraryFolderRule {
    EachRoot,               // the mod folder of each folder it reads
    UserThenLibraryFolder,  // its user folder's, then its library folder's
                            // (for a portable build, the folder it takes as
                            // its data folder when WYN names none)
};

// The name of the game library an engine loads on one machine; the first of
// an engine's names stands for any machine not named.
struct GameLibraryName {
    std::uint16_t machine;    // ELF machine number; 0: none in particular
    std::uint16_t peMachine;  // the same machine's PE number
    std::string_view posix;
    std::string_view windows;
    // The one a Windows build tries next in the same folder; empty: none.
    std::string_view windowsFallback = {};
};

// What a folder argument on an engine's command line does (a wrapper script's
// among them): the words before its value, if any.
enum class FolderArgumentKind {
    DataFolder,        // the folder named is its data folder
    UserFolder,        // the folder named is its user folder
    UserFolderInHome,  // its user folder is the named one below the home
    Portable,          // it has no user folder
};

struct FolderArgument {
    std::string_view words;  // "-datadir", "+set basedir"
    FolderArgumentKind kind;
};

struct EngineRow {
    EngineKind kind = EngineKind::Unknown;
    std::string_view name = {};
    // A string of its executables' read-only data that no other program has;
    // empty for the engines WYN does not know.
    std::string_view marker = {};
    // Its game programs and dedicated servers, as installed (".exe" on Windows).
    std::span<const std::string_view> programs = {};
    std::span<const std::string_view> servers = {};

    // Its user folder below the home, where it reads first and writes; a
    // Windows build's is below the user's Documents folder instead. The
    // facts of a POSIX build after these two (its home named, XDG, compiled-in
    // folders) are never looked for in a Windows build.
    std::string_view userFolder = {};
    std::string_view documentsFolder = {};
    // A system-wide build names its user folder ("~/..."): that one counts,
    // and a build without it has none.
    bool userFolderCompiledIn = false;
    // A string of a build whose user folder may live below $XDG_DATA_HOME,
    // and its name there.
    std::string_view xdgMarker = {};
    std::string_view xdgUserFolder = {};

    DataFolderRule dataFolder = DataFolderRule::WorkingDirectory;
    DataFolderRule windowsDataFolder = DataFolderRule::WorkingDirectory;
    // Compiled-in folders end in this ("PREFIX/share/q2pro"); a site
    // configuration path that ends the same is none of them.
    std::string_view compiledFolderEnd = {};
    std::string_view siteConfiguration = {};
    // Whether it reads the folder of its own binary, even when told another
    // data folder; between the user folder and the game directory.
    bool readsBinaryFolder = false;
    // What names the game directory as its data folder, the directory after.
    std::span<const std::string_view> dataFolderArguments = {};
    // The folder arguments it takes, as a wrapper may give them.
    std::span<const FolderArgument> folderArguments = {};
    // A build for a system-wide install names, as the only full path of its
    // read-only data, a data folder it reads after all the others.
    bool systemFolderInData = false;
    // Where distributions install its launchers (links or wrapper scripts).
    std::span<const std::string_view> launchers = {};

    // A Flatpak app: its id, recognised from the launcher flatpak exports
    // ("flatpak run ... ID"), and its user folder as the sandbox has it, in
    // the home's ".var/app/ID" outside. Its programs are in the app's "bin".
    std::string_view flatpakId = {};
    std::string_view sandboxUserFolder = {};

    LibraryFolderRule libraryFolders = LibraryFolderRule::EachRoot;
    // Whether its build's game library name is a string of its data, else the
    // table's by machine.
    bool libraryNameInData = false;
    std::span<const GameLibraryName> libraries = {};
};

// The engines WYN tells apart, in the order they are looked for; the last
// row is any other program, which is given the game directory alone.
std::span<const EngineRow> engineRows();
const EngineRow& engineRow(EngineKind kind);

// The game library a row's engine loads on a machine: an ELF machine number,
// or for a Windows build a PE one; nothing for a row without libraries.
const GameLibraryName* gameLibrary(const EngineRow& row, std::uint16_t machine, bool windows);

// The folder a build takes as its data folder when WYN names none.
DataFolderRule dataFolderRule(const EngineRow& row, bool windows);

// What a game library's name looks like in an engine's data: the prefix,
// letters, digits or '_', then the library suffix of the build's system.
inline constexpr std::string_view kGameLibraryPrefix = "game";
bool isGameLibraryName(std::string_view text, bool windows = false);

}  // namespace wyn
