#include "fake_elf.h"

namespace wyn::test {

namespace {

class Writer {
public:
    explicit Writer(bool bigEndian) : m_bigEndian(bigEndian) {}
    void put(std::uint64_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            const auto shift = 8 * (m_bigEndian ? size - 1 - i : i);
            bytes += static_cast<char>(value >> shift & 0xff);
        }
    }
    std::string bytes;

private:
    bool m_bigEndian;
};

}  // namespace

std::string fakeElf(const FakeElf& elf) {
    const bool wide = elf.bits == 64;
    const std::size_t headerSize = wide ? 64 : 52;
    const std::size_t entrySize = wide ? 64 : 40;
    std::string rodata(elf.dataBytes, 'x');
    for (std::size_t at = 63; at < rodata.size(); at += 64) {
        rodata[at] = '\0';
    }
    rodata += '\0';
    for (const auto& text : elf.strings) {
        rodata += text + '\0';
    }
    const std::string names = std::string("\0.text\0.rodata\0.shstrtab\0", 25);
    const std::size_t code = headerSize;
    const std::size_t data = code + elf.codeBytes;
    const std::size_t nameTable = data + rodata.size();
    const std::size_t sectionTable = nameTable + names.size();

    Writer out(elf.bigEndian);
    out.bytes = std::string(
        "\x7f"
        "ELF",
        4);
    out.put(wide ? 2 : 1, 1);
    out.put(elf.bigEndian ? 2 : 1, 1);
    out.put(1, 1);
    out.bytes.resize(16, '\0');
    out.put(elf.type, 2);
    out.put(elf.machine, 2);
    out.put(1, 4);
    const std::size_t address = wide ? 8 : 4;
    out.put(0, address);             // entry
    out.put(0, address);             // program headers
    out.put(sectionTable, address);  // section headers
    out.put(0, 4);                   // flags
    out.put(headerSize, 2);
    out.put(0, 2);
    out.put(0, 2);
    out.put(entrySize, 2);
    out.put(4, 2);  // null, .text, .rodata, .shstrtab
    out.put(3, 2);
    out.bytes.append(elf.codeBytes, '\x90');
    out.bytes += rodata;
    out.bytes += names;
    const auto section = [&](std::uint32_t name, std::uint32_t type, std::uint64_t offset,
                             std::uint64_t size) {
        out.put(name, 4);
        out.put(type, 4);
        out.put(0, address);  // flags
        out.put(0, address);  // address
        out.put(offset, address);
        out.put(size, address);
        out.put(0, 4);
        out.put(0, 4);
        out.put(1, address);
        out.put(0, address);
    };
    section(0, 0, 0, 0);
    section(1, 1, code, elf.codeBytes);
    section(7, 1, data, rodata.size());
    section(15, 3, nameTable, names.size());
    return std::move(out.bytes);
}

}  // namespace wyn::test
