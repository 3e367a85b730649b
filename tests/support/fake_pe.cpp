#include "fake_pe.h"

namespace wyn::test {

namespace {

void put(std::string& bytes, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>(value >> (8 * i) & 0xff);
    }
}

}  // namespace

std::string fakePe(const FakePe& pe) {
    std::string data(pe.dataBytes, 'x');
    for (std::size_t at = 63; at < data.size(); at += 64) {
        data[at] = '\0';
    }
    data += '\0';
    for (const auto& text : pe.strings) {
        data += text + '\0';
    }
    const std::size_t optionalSize = pe.bits == 64 ? 240 : 224;
    const std::size_t sectionTable = kFakePeHeaderAt + 24 + optionalSize;
    const std::size_t code = sectionTable + 2 * 40;
    const std::size_t codeSize = 16;
    const std::size_t strings = code + codeSize;

    std::string bytes = "MZ";
    bytes.resize(0x3c, '\0');
    put(bytes, kFakePeHeaderAt, 4);
    bytes.resize(kFakePeHeaderAt, '\0');
    bytes += std::string("PE\0\0", 4);
    put(bytes, pe.machine, 2);
    put(bytes, 2, 2);  // sections
    put(bytes, 0, 4);  // time
    put(bytes, 0, 4);  // symbols
    put(bytes, 0, 4);
    put(bytes, optionalSize, 2);
    put(bytes, 0x0002 | (pe.dll ? 0x2000 : 0) | (pe.bits == 64 ? 0x0020 : 0x0100), 2);
    put(bytes, pe.bits == 64 ? 0x20b : 0x10b, 2);
    bytes.resize(sectionTable, '\0');
    const auto section = [&](std::string name, std::size_t offset, std::size_t size) {
        name.resize(8, '\0');
        bytes += name;
        put(bytes, size, 4);  // in memory
        put(bytes, 0x1000, 4);
        put(bytes, size, 4);  // in the file
        put(bytes, offset, 4);
        bytes.append(12, '\0');     // relocations and line numbers
        put(bytes, 0x40000040, 4);  // initialized, readable
    };
    section(".text", code, codeSize);
    section(pe.stringSection, strings, data.size());
    bytes.append(codeSize, '\xc3');
    bytes += data;
    return bytes;
}

std::string patched(std::string bytes, std::size_t at, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size && at + i < bytes.size(); ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xff);
    }
    return bytes;
}

}  // namespace wyn::test
