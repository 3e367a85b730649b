#include <gtest/gtest.h>

#include "engine/pe.h"
#include "fake_elf.h"
#include "fake_pe.h"

namespace wyn {
namespace {

using test::fakePe;
using test::kFakePeHeaderAt;
using test::patched;

TEST(PeHeader, ReadsGoodHeadersAndRejectsBrokenOnes) {
    const auto good = fakePe({});
    const std::size_t coff = kFakePeHeaderAt + 4;
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<PeHeader> header;
    };
    const Case cases[] = {
        {"x64", good, PeHeader{kPeX64, 64, false, 2, kFakePeHeaderAt + 24 + 240}},
        {"x86 DLL", fakePe({.machine = kPeI386, .bits = 32, .dll = true}),
         PeHeader{kPeI386, 32, true, 2, kFakePeHeaderAt + 24 + 224}},
        {"ARM64 DLL", fakePe({.machine = kPeArm64, .dll = true}),
         PeHeader{kPeArm64, 64, true, 2, kFakePeHeaderAt + 24 + 240}},
        {"headers past the first page", patched(good, 0x3c, 5000, 4) + std::string(6000, '\0'),
         std::nullopt},
        {"headers past the end", patched(good, 0x3c, 0xffffffff, 4), std::nullopt},
        {"no signature", patched(good, kFakePeHeaderAt, 0x4c45, 4), std::nullopt},
        {"an unknown optional header", patched(good, coff + 20, 0x107, 2), std::nullopt},
        {"no optional header", patched(good, coff + 16, 0, 2), std::nullopt},
        {"cut in the COFF header", good.substr(0, coff + 10), std::nullopt},
        {"cut before the magic", good.substr(0, coff + 21), std::nullopt},
        {"cut in the DOS header", good.substr(0, 0x3e), std::nullopt},
        {"no MZ", "ZM" + good.substr(2), std::nullopt},
        {"ELF", test::fakeElf({}), std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readPeHeader(c.bytes), c.header) << c.name;
    }
    // The section table may lie anywhere: the header says where, and the
    // reader of sections is bounded by what it is given.
    EXPECT_EQ(readPeHeader(patched(good, coff + 16, 0xffff, 2))->sectionTableOffset,
              kFakePeHeaderAt + 24 + 0xffff);
}

TEST(PeHeader, SaysWhyALibraryDoesNotFitTheEngine) {
    const auto x64 = *readPeHeader(fakePe({}));
    const auto x86 = *readPeHeader(fakePe({.machine = kPeI386, .bits = 32}));
    struct Case {
        const char* name;
        PeHeader engine;
        std::string bytes;
        std::string why;
    };
    const Case cases[] = {
        {"x64", x64, fakePe({.dll = true}), ""},
        {"x86", x86, fakePe({.machine = kPeI386, .bits = 32, .dll = true}), ""},
        {"32-bit", x64, fakePe({.machine = kPeI386, .bits = 32, .dll = true}), "a 32-bit library"},
        {"64-bit", x86, fakePe({.dll = true}), "a 64-bit library"},
        {"ARM64", x64, fakePe({.machine = kPeArm64, .dll = true}),
         "built for another machine (ARM64)"},
        {"an unnamed machine", x64, fakePe({.machine = 0x5064, .dll = true}),
         "built for another machine (machine 0x5064)"},
        {"a program", x64, fakePe({}), "not a library"},
        {"Linux", x64, test::fakeElf({.type = 3}), "built for Linux"},
        {"cut short", x64, fakePe({.dll = true}).substr(0, 100), "not a library"},
        {"empty", x64, "", "not a library"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(whyUnfit(c.bytes, c.engine), c.why) << c.name;
    }
}

}  // namespace
}  // namespace wyn
