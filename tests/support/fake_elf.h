#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wyn::test {

// A made-up ELF file: header, code, a .rodata section holding the strings and
// a section table; a few hundred bytes unless asked to be large.
struct FakeElf {
    int bits = 64;
    std::uint16_t machine = 62;  // x86-64
    bool bigEndian = false;
    std::uint16_t type = 2;  // an executable
    std::vector<std::string> strings = {};
    std::size_t codeBytes = 16;
    std::size_t dataBytes = 0;  // read-only data other than the strings, before them
};

std::string fakeElf(const FakeElf& elf);

}  // namespace wyn::test
