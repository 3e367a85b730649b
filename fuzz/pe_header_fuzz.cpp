// Any bytes as a Windows executable's or game library's: the PE header reader
// looks at the first page only and gives a kind it knows, a section entry is
// read from what it is given, and why a library does not fit a Windows engine
// is said for anything. Recognition reads a PE through bounded reads, asks
// for no more than the headers, the section table or a piece at a time, and
// keeps none of a POSIX build's facts.
#include "engine/engine.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const wyn::fuzz::ChangingFile file(data, size);
    const auto bytes = file.bytes();

    const auto header = wyn::readPeHeader(bytes);
    if (header) {
        FUZZ_CHECK(bytes.starts_with("MZ"));
        FUZZ_CHECK(header->bits == 32 || header->bits == 64);
        FUZZ_CHECK(header->sectionTableOffset <= wyn::kPeHeaderBytes + 0xffff);
    }
    if (const auto section = wyn::readPeSection(bytes)) {
        FUZZ_CHECK(section->name.size() <= 8);
    }
    const wyn::PeHeader x64{wyn::kPeX64, 64, false, 0, 0};
    const auto why = wyn::whyUnfit(bytes, x64);
    FUZZ_CHECK(why.empty() ==
               (header && header->dll && header->bits == 64 && header->machine == wyn::kPeX64));

    const auto facts = wyn::readExecutableFacts(
        [&file](std::uint64_t offset, std::size_t wanted) { return file.read(offset, wanted); });
    const auto& engine = facts.engine;
    if (engine.format == wyn::ExecutableFormat::Pe) {
        FUZZ_CHECK(bytes.starts_with("MZ"));
        FUZZ_CHECK(!engine.xdg && !engine.systemWide && engine.homeFolder.empty());
        if (engine.kind != wyn::EngineKind::Unknown) {
            FUZZ_CHECK(engine.gameLibrary.ends_with(".dll"));
        }
    }
    if (engine.kind == wyn::EngineKind::Unknown) {
        FUZZ_CHECK(engine.gameLibrary.empty() && engine.fallbackLibrary.empty());
    }
    return 0;
}
