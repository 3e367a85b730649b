#include <gtest/gtest.h>

#include "engine/elf.h"
#include "fake_elf.h"

namespace wyn {
namespace {

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
        {"a 64-bit header cut short", test::fakeElf({.type = 3}).substr(0, 63), "not a library"},
        {"an unknown class",
         "\x7f"
         "ELF\x03\x01" +
             std::string(70, '\0'),
         "not a library"},
        {"an unknown byte order",
         "\x7f"
         "ELF\x02\x00" +
             std::string(70, '\0'),
         "not a library"},
        {"empty", "", "not a library"},
        {"text", "not a library at all, just some text in a file", "not a library"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(whyUnfit(c.bytes, engine), c.why) << c.name;
    }
}

}  // namespace
}  // namespace wyn
