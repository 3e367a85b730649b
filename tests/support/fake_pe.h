#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wyn::test {

// A made-up Windows executable or DLL (PE): DOS header, PE headers, a .text
// section and a section holding the strings; a few hundred bytes.
struct FakePe {
    std::uint16_t machine = 0x8664;  // x64
    int bits = 64;                   // PE32+; 32 for PE32
    bool dll = false;
    std::vector<std::string> strings = {};
    std::string stringSection = ".rdata";
    std::size_t dataBytes = 0;  // data other than the strings, before them
};

std::string fakePe(const FakePe& pe);

// Where fakePe puts the PE signature.
inline constexpr std::size_t kFakePeHeaderAt = 0x80;

// The bytes with a little-endian value of size bytes written at offset: a
// field of a header broken on purpose.
std::string patched(std::string bytes, std::size_t at, std::uint32_t value, std::size_t size);

}  // namespace wyn::test
