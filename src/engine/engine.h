#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/elf.h"

namespace wyn {

// The Quake II engines WYN knows the folders of. Anything else is Unknown and
// gets the game directory alone, as every engine did before.
enum class EngineKind { Unknown, YamagiQuake2, Q2pro };

// "Yamagi Quake II", "Q2PRO", "unknown".
std::string_view engineName(EngineKind kind);

// What an engine's executable says of itself, read from its bytes.
struct Engine {
    EngineKind kind = EngineKind::Unknown;
    // The executable's real path (wrappers followed, links resolved); empty for
    // an unknown engine.
    std::string program;
    // Class, byte order and machine of the executable: what its game library
    // must match.
    ElfHeader elf;
    // The game library it loads from a mod folder: "game.so", "gamex86_64.so".
    std::string gameLibrary;
    // Yamagi Quake II built with XDG support: its user folder may be
    // $XDG_DATA_HOME/YamagiQ2.
    bool xdg = false;
    // Q2PRO built for a system-wide install: data folder, library folder and
    // user folder ("~/.q2pro") compiled in. A portable build has none of them
    // and uses the working directory for all.
    bool systemWide = false;
    std::string dataFolder;
    std::string libraryFolder;
    std::string homeFolder;

    bool operator==(const Engine&) const = default;
};

// Reads size bytes at offset of a file (fewer at its end, none past it).
using ReadAt = std::function<std::string(std::uint64_t offset, std::size_t size)>;

// What the bytes of one file say: an engine (its program left empty), or a
// wrapper script whose exec line names the program at wrapperTarget.
struct ExecutableFacts {
    Engine engine;
    std::string wrapperTarget;
};

// Reads a file's facts through read: the ELF section table and the read-only
// data sections only, in bounded pieces, or a script's first lines.
ExecutableFacts readExecutableFacts(const ReadAt& read);

// The engine a program is: its facts read once per path, size and
// modification time; a wrapper script is followed to what it starts. A file
// that cannot be read is an unknown engine.
Engine recogniseEngine(const std::string& path);

}  // namespace wyn
