#include <gtest/gtest.h>

#include "engine/elf.h"
#include "fake_elf.h"

namespace wyn {
namespace {

TEST(ElfHeader, ReadsBothClassesAndByteOrders) {
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<ElfHeader> header;
    };
    // The made-up files put 4 sections after the header, code and data.
    const Case cases[] = {
        {"64-bit x86-64 executable", test::fakeElf({}),
         ElfHeader{64, false, 2, 62, 64 + 16 + 1 + 25, 64, 4, 3}},
        {"32-bit i386 library", test::fakeElf({.bits = 32, .machine = 3, .type = 3}),
         ElfHeader{32, false, 3, 3, 52 + 16 + 1 + 25, 40, 4, 3}},
        {"64-bit big-endian PowerPC", test::fakeElf({.machine = 21, .bigEndian = true}),
         ElfHeader{64, true, 2, 21, 64 + 16 + 1 + 25, 64, 4, 3}},
        {"a 32-bit header is 52 bytes", test::fakeElf({.bits = 32}).substr(0, 52),
         ElfHeader{32, false, 2, 62, 52 + 16 + 1 + 25, 40, 4, 3}},
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
        EXPECT_EQ(readElfHeader(c.bytes), c.header) << c.name;
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
