#include "engine/pe.h"

namespace wyn {

namespace {

// PE is little-endian throughout.
std::uint32_t number(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::string machineName(std::uint16_t machine) {
    switch (machine) {
        case kPeI386:
            return "x86";
        case kPeX64:
            return "x64";
        case kPeArm64:
            return "ARM64";
        case 0x1c4:
            return "ARM";
        default: {
            constexpr char digits[] = "0123456789abcdef";
            std::string hex = "machine 0x";
            for (int shift = 12; shift >= 0; shift -= 4) {
                hex += digits[machine >> shift & 0xf];
            }
            return hex;
        }
    }
}

}  // namespace

std::optional<PeHeader> readPeHeader(std::string_view bytes) {
    constexpr std::size_t kNewHeaderAt = 0x3c;
    if (bytes.size() > kPeHeaderBytes) {
        bytes = bytes.substr(0, kPeHeaderBytes);
    }
    if (bytes.size() < kNewHeaderAt + 4 || !bytes.starts_with("MZ")) {
        return std::nullopt;
    }
    // The signature, the COFF header (20 bytes) and the optional header's magic.
    const std::uint64_t at = number(bytes, kNewHeaderAt, 4);
    constexpr std::size_t kCoff = 4;
    constexpr std::size_t kOptional = kCoff + 20;
    if (at + kOptional + 2 > bytes.size() || bytes.substr(at, 4) != std::string_view("PE\0\0", 4)) {
        return std::nullopt;
    }
    const auto read = [&](std::size_t offset, std::size_t size) {
        return number(bytes, static_cast<std::size_t>(at) + offset, size);
    };
    const auto optionalSize = read(kCoff + 16, 2);
    const auto magic = read(kOptional, 2);
    if (optionalSize < 2 || (magic != 0x10b && magic != 0x20b)) {
        return std::nullopt;
    }
    constexpr std::uint32_t kDll = 0x2000;
    PeHeader header;
    header.machine = static_cast<std::uint16_t>(read(kCoff, 2));
    header.sectionCount = static_cast<std::uint16_t>(read(kCoff + 2, 2));
    header.dll = (read(kCoff + 18, 2) & kDll) != 0;
    header.bits = magic == 0x20b ? 64 : 32;
    header.sectionTableOffset = at + kOptional + optionalSize;
    return header;
}

std::optional<PeSection> readPeSection(std::string_view bytes) {
    if (bytes.size() < kPeSectionBytes) {
        return std::nullopt;
    }
    PeSection section;
    const auto name = bytes.substr(0, 8);
    section.name = std::string(name.substr(0, name.find('\0')));
    const auto inMemory = number(bytes, 8, 4);
    section.size = number(bytes, 16, 4);
    section.offset = number(bytes, 20, 4);
    if (inMemory != 0 && inMemory < section.size) {
        section.size = inMemory;
    }
    return section;
}

std::string whyUnfit(std::string_view firstBytes, const PeHeader& engine) {
    if (firstBytes.starts_with("\x7f"
                               "ELF")) {
        return "built for Linux";
    }
    const auto header = readPeHeader(firstBytes);
    if (!header || !header->dll) {
        return "not a library";
    }
    if (header->bits != engine.bits) {
        return "a " + std::to_string(header->bits) + "-bit library";
    }
    if (header->machine != engine.machine) {
        return "built for another machine (" + machineName(header->machine) + ")";
    }
    return {};
}

}  // namespace wyn
