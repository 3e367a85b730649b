#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"
#include "engine/elf.h"
#include "engine/pe.h"

namespace wyn {

// The Quake II engines WYN knows the folders of, each a row of the engine
// table (engine_table.h): Quake2 is id's own, YamagiQuake2Flatpak Flathub's
// sandboxed Yamagi Quake II. Anything else is Unknown and gets the game
// directory alone, as every engine did before.
enum class EngineKind { Unknown, YamagiQuake2, YamagiQuake2Flatpak, Q2pro, Quake2 };

// What kind of executable an engine is: a POSIX one (ELF) or a Windows one
// (PE), whose folders follow the table's Windows facts.
enum class ExecutableFormat { Elf, Pe };

// The engine's name as the windows show it; "unknown" for any other program.
std::string_view engineName(EngineKind kind);
// The names of the engines WYN knows, in the table's order.
std::vector<std::string_view> knownEngineNames();

// How a sandboxed engine is started: "FLATPAK run OPTIONS... APP", and the
// Flatpak installation that holds the app ("~/.local/share/flatpak"; empty
// when the launcher does not tell).
struct Sandbox {
    std::string appId;
    std::string flatpak;
    std::vector<std::string> runOptions;
    std::string installation;

    bool operator==(const Sandbox&) const = default;
};

// What an engine's executable says of itself, read from its bytes, and what
// the wrapper scripts that start it add.
struct Engine {
    EngineKind kind = EngineKind::Unknown;
    // The executable's real path (wrappers followed, links resolved); for a
    // sandboxed engine the app's client in its "current" folder; empty for an
    // unknown engine.
    std::string program;
    // The executable's header, of its format: what its game library must
    // match (class, byte order and machine; machine and PE32 or PE32+).
    ExecutableFormat format = ExecutableFormat::Elf;
    ElfHeader elf;
    PeHeader pe;
    // The file name of the game library it loads from a mod folder, and the
    // one it tries next in the same folder (empty: none).
    std::string gameLibrary;
    std::string fallbackLibrary;
    // Built with XDG support: its user folder may be below $XDG_DATA_HOME.
    bool xdg = false;
    // Built for a system-wide install with its data folder, library folder and
    // user folder ("~/...") compiled in. A portable build has none of them and
    // uses the working directory for all.
    bool systemWide = false;
    std::string dataFolder;
    std::string libraryFolder;
    std::string homeFolder;
    // A system-wide Yamagi Quake II's compiled-in data folder, read last.
    std::string systemFolder;

    // What the wrapper scripts in front of it give: the data folder and user
    // folder their arguments name (empty: none), whether they run it without
    // a user folder, and the folder they change to (empty: WYN's).
    std::string namedDataFolder;
    // The data folders a wrapper names on its different ways, when they
    // differ (Debian's launcher falls back to the demo's data when the full
    // game's pak0.pak is missing): the engine reads one of them, which one
    // depends on files the reading does not test. namedDataFolder is then
    // empty.
    std::vector<std::string> dataFolderChoices;
    std::string namedUserFolder;
    bool portable = false;
    std::string workingDirectory;

    // For an engine in a Flatpak sandbox: how it is started.
    Sandbox sandbox;

    bool operator==(const Engine&) const = default;
};

// Whether the engine is one of the table's, and its name there.
bool isKnownEngine(const Engine& engine);
std::string_view engineName(const Engine& engine);

// Reads size bytes at offset of a file (fewer at its end, none past it).
using ReadAt = std::function<std::string(std::uint64_t offset, std::size_t size)>;

// What the bytes of one file say: an engine (its program left empty), or a
// "#!" script's first bytes, read where its path is known.
struct ExecutableFacts {
    Engine engine;
    std::optional<std::string> script;
    bool wholeScript = false;  // the bytes are all of the script
};

// Reads a file's facts through read: the ELF or PE section table and the
// read-only data sections only, in bounded pieces, or a script's first bytes.
ExecutableFacts readExecutableFacts(const ReadAt& read);

// The words WYN passes an engine after the arguments that name its folders:
// the add-on's game, a dedicated server, the script it runs.
std::vector<std::string> startParameters(bool dedicated);

// The engine a program is: its facts read once per path, size and
// modification time. A wrapper script is read as the shell would run it with
// the words WYN passes (startParameters, after any engine's folder
// arguments), and followed to what it starts: an engine that gets WYN's
// words intact, last and in order, the same whatever the script's ways and
// WYN's words; otherwise, and for a file that cannot be read, an unknown
// engine.
Engine recogniseEngine(const std::string& path);

// The game's program a game directory holds when the user names none: id's
// own ("quake2", "quake2.exe" on Windows).
std::string defaultGameProgram(const PlatformProfile& profile);

// The names of the engines' game programs ("quake2", ...), each once, in the
// table's order; with servers, their dedicated servers after them. With
// ".exe" for a Windows profile.
std::vector<std::string> engineProgramNames(const PlatformProfile& profile, bool servers);

// A sandboxed engine with its app found in the first of the Flatpak
// installations that holds it: its program and header are the app's client
// in its bin folder. Unchanged when none holds it.
Engine withAppProgram(Engine engine, const std::vector<std::string>& installations);

// Where installed engines' launchers are: the distributions' wrappers and
// links, and the launchers Flatpak exports for the user (below home) and the
// system; root is put before the system's folders (tests).
std::vector<std::string> engineLaunchers(const std::string& home, const std::string& root);

// The engine a directory's programs are: the first of engineProgramNames
// (servers included) that is a file of an engine WYN knows; unknown when none.
Engine installedEngine(const std::string& directory, const PlatformProfile& profile);

}  // namespace wyn
