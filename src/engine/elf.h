#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wyn {

// What the first bytes of an ELF file say: enough to tell whether a game
// library fits an engine (class, byte order, machine) and where the section
// table lies. Both classes and both byte orders are read.
struct ElfHeader {
    int bits = 64;  // 32 or 64
    bool bigEndian = false;
    std::uint16_t type = 0;  // 2 an executable, 3 a shared object
    std::uint16_t machine = 0;
    std::uint64_t sectionTableOffset = 0;
    std::uint16_t sectionEntrySize = 0;
    std::uint16_t sectionCount = 0;
    std::uint16_t sectionNamesIndex = 0;

    bool operator==(const ElfHeader&) const = default;
};

// The most bytes readElfHeader looks at.
inline constexpr std::size_t kElfHeaderBytes = 64;

// The header of an ELF file from its first bytes; nothing when they are not one
// (too short, another magic, an unknown class or byte order).
std::optional<ElfHeader> readElfHeader(std::string_view bytes);

// One entry of the section table.
struct ElfSection {
    std::uint32_t name = 0;  // offset of its name in the section names
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The entry at the start of bytes, read as the header's class and byte order
// say; nothing when bytes is shorter than an entry of that class.
std::optional<ElfSection> readElfSection(std::string_view bytes, const ElfHeader& header);

// How a file fits an engine whose executable has the given header, for the
// messages of the game library check: empty when it fits (same class, byte
// order and machine), otherwise why not: "built for Windows", "a 32-bit
// library", "built for another machine (AArch64)", "not a library".
std::string whyUnfit(std::string_view firstBytes, const ElfHeader& engine);

}  // namespace wyn
