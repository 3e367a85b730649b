#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wyn {

// What the headers of a Windows executable or DLL (PE) say: enough to tell
// whether a game library fits an engine (machine, PE32 or PE32+, a DLL or
// not) and where the section table lies.
struct PeHeader {
    std::uint16_t machine = 0;  // 0x14c x86, 0x8664 x64, 0xaa64 ARM64
    int bits = 32;              // 32 for PE32, 64 for PE32+
    bool dll = false;
    std::uint16_t sectionCount = 0;
    std::uint64_t sectionTableOffset = 0;

    bool operator==(const PeHeader&) const = default;
};

inline constexpr std::uint16_t kPeI386 = 0x14c;
inline constexpr std::uint16_t kPeX64 = 0x8664;
inline constexpr std::uint16_t kPeArm64 = 0xaa64;

// The most bytes readPeHeader looks at: the headers' first page, where every
// linker puts them (a few hundred bytes in).
inline constexpr std::size_t kPeHeaderBytes = 4096;

// The header of a PE file from its first bytes; nothing when they are not one
// (no "MZ", the "PE\0\0" signature past them or missing, no optional header of
// a kind known).
std::optional<PeHeader> readPeHeader(std::string_view bytes);

// One entry of the section table: its name (up to 8 characters) and where its
// data lies in the file.
struct PeSection {
    std::string name;
    std::uint32_t offset = 0;
    // The raw size, less the padding past the size it has in memory.
    std::uint32_t size = 0;
};

inline constexpr std::size_t kPeSectionBytes = 40;

// The entry at the start of bytes; nothing when bytes is shorter than one.
std::optional<PeSection> readPeSection(std::string_view bytes);

// How a file fits an engine whose executable has the given header, for the
// messages of the game library check: empty when it fits (a DLL of the same
// machine), otherwise why not: "built for Linux", "a 32-bit library", "built
// for another machine (ARM64)", "not a library".
std::string whyUnfit(std::string_view firstBytes, const PeHeader& engine);

}  // namespace wyn
