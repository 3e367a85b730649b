#include <gtest/gtest.h>

#include <tuple>

#include "engine/elf.h"
#include "fake_elf.h"

namespace wyn {
namespace {

// Class, byte order, type and machine, which a game library must share with
// its engine; what is no ELF header is none.
TEST(ElfHeader, ReadsBothClassesAndByteOrders) {
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<std::tuple<int, bool, int, int>> header;  // bits, big-endian, type, machine
    };
    const Case cases[] = {
        {"64-bit x86-64 executable", test::fakeElf({}), std::tuple{64, false, 2, 62}},
        {"32-bit i386 library", test::fakeElf({.bits = 32, .machine = 3, .type = 3}),
         std::tuple{32, false, 3, 3}},
        {"64-bit big-endian PowerPC", test::fakeElf({.machine = 21, .bigEndian = true}),
         std::tuple{64, true, 2, 21}},
        {"a 32-bit header is 52 bytes", test::fakeElf({.bits = 32}).substr(0, 52),
         std::tuple{32, false, 2, 62}},
        {"a 64-bit one 64", test::fakeElf({}).substr(0, 63), std::nullopt},
        {"a Windows library", "MZ\x90" + std::string(100, '\0'), std::nullopt},
        {"a script", "#!/bin/sh\nexec /usr/lib/quake2 \"$@\"\n" + std::string(30, ' '),
         std::nullopt},
        {"an unknown class",
         "\x7f"
         "ELF\x03\x01" +
             std::string(70, '\0'),
         std::nullopt},
        {"an unknown byte order",
         "\x7f"
         "ELF\x02\x00" +
             std::string(70, '\0'),
         std::nullopt},
        {"nothing", "", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto header = readElfHeader(c.bytes);
        ASSERT_EQ(header.has_value(), c.header.has_value()) << c.name;
        if (header) {
            EXPECT_EQ(std::tuple(header->bits, header->bigEndian, int{header->type},
                                 int{header->machine}),
                      *c.header)
                << c.name;
        }
    }
}

TEST(ElfHeader, SaysWhyALibraryDoesNotFitTheEngine) {
    const auto engine = *readElfHeader(test::fakeElf({}));
    struct Case {
        const char* name;
        std::string bytes;
        std::string why;
    };
    const Case cases[] = {
        {"the engine's kind", test::fakeElf({.type = 3}), ""},
        {"Windows", "MZ\x90\0\x03" + std::string(60, '\0'), "built for Windows"},
        {"32-bit", test::fakeElf({.bits = 32, .machine = 3, .type = 3}), "a 32-bit library"},
        {"AArch64", test::fakeElf({.machine = 183, .type = 3}),
         "built for another machine (AArch64)"},
        {"big-endian", test::fakeElf({.bigEndian = true, .type = 3}),
         "built for another machine (x86-64)"},
        {"an unnamed machine", test::fakeElf({.machine = 9999, .type = 3}),
         "built for another machine (machine 9999)"},
        {"empty", "", "not a library"},
        {"text", "not a library at all, just some text in a file", "not a library"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(whyUnfit(c.bytes, engine), c.why) << c.name;
    }
}

}  // namespace
}  // namespace wyn
