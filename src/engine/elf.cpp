#include "engine/elf.h"

namespace wyn {

namespace {

std::uint64_t number(std::string_view bytes, std::size_t at, std::size_t size, bool bigEndian) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[bigEndian ? at + i : at + size - 1 - i]);
        value = value << 8 | byte;
    }
    return value;
}

std::string machineName(std::uint16_t machine) {
    switch (machine) {
        case 3:
            return "i386";
        case 8:
            return "MIPS";
        case 20:
            return "PowerPC";
        case 21:
            return "PowerPC 64";
        case 40:
            return "ARM";
        case 62:
            return "x86-64";
        case 183:
            return "AArch64";
        case 243:
            return "RISC-V";
        default:
            return "machine " + std::to_string(machine);
    }
}

}  // namespace

std::optional<ElfHeader> readElfHeader(std::string_view bytes) {
    if (bytes.size() < 52 || !bytes.starts_with("\x7f"
                                                "ELF")) {
        return std::nullopt;
    }
    const auto elfClass = bytes[4];
    const auto order = bytes[5];
    if ((elfClass != 1 && elfClass != 2) || (order != 1 && order != 2) ||
        (elfClass == 2 && bytes.size() < kElfHeaderBytes)) {
        return std::nullopt;
    }
    ElfHeader header;
    header.bits = elfClass == 1 ? 32 : 64;
    header.bigEndian = order == 2;
    const auto read = [&](std::size_t at, std::size_t size) {
        return number(bytes, at, size, header.bigEndian);
    };
    header.type = static_cast<std::uint16_t>(read(16, 2));
    header.machine = static_cast<std::uint16_t>(read(18, 2));
    // The fields after the entry point move by the width of two addresses.
    const bool wide = header.bits == 64;
    header.sectionTableOffset = wide ? read(40, 8) : read(32, 4);
    const std::size_t tail = wide ? 58 : 46;
    header.sectionEntrySize = static_cast<std::uint16_t>(read(tail, 2));
    header.sectionCount = static_cast<std::uint16_t>(read(tail + 2, 2));
    header.sectionNamesIndex = static_cast<std::uint16_t>(read(tail + 4, 2));
    return header;
}

std::optional<ElfSection> readElfSection(std::string_view bytes, const ElfHeader& header) {
    const bool wide = header.bits == 64;
    if (bytes.size() < (wide ? 64u : 40u)) {
        return std::nullopt;
    }
    const auto read = [&](std::size_t at, std::size_t size) {
        return number(bytes, at, size, header.bigEndian);
    };
    ElfSection section;
    section.name = static_cast<std::uint32_t>(read(0, 4));
    section.type = static_cast<std::uint32_t>(read(4, 4));
    section.offset = wide ? read(24, 8) : read(16, 4);
    section.size = wide ? read(32, 8) : read(20, 4);
    return section;
}

std::string whyUnfit(std::string_view firstBytes, const ElfHeader& engine) {
    if (firstBytes.starts_with("MZ")) {
        return "built for Windows";
    }
    const auto header = readElfHeader(firstBytes);
    if (!header) {
        return "not a library";
    }
    if (header->bits != engine.bits) {
        return "a " + std::to_string(header->bits) + "-bit library";
    }
    if (header->machine != engine.machine || header->bigEndian != engine.bigEndian) {
        return "built for another machine (" + machineName(header->machine) + ")";
    }
    return {};
}

}  // namespace wyn
