// Any bytes as an executable's or a game library's: the ELF header reader looks
// at the first 64 bytes only and gives a class it knows; recognition reads the
// bytes through bounded reads, asks for no more than a section table or a
// piece at a time, keeps only the facts of the engine it found, and stands a
// reader that answers with more or fewer bytes than asked, as a file that
// grows or shrinks while it is read does.
#include "engine/engine.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const wyn::fuzz::ChangingFile file(data, size);
    const auto bytes = file.bytes();

    const auto header = wyn::readElfHeader(bytes);
    if (header) {
        FUZZ_CHECK(header->bits == 32 || header->bits == 64);
    }

    const auto facts = wyn::readExecutableFacts(
        [&file](std::uint64_t offset, std::size_t wanted) { return file.read(offset, wanted); });
    const auto& engine = facts.engine;
    if (facts.script) {
        FUZZ_CHECK(bytes.starts_with("#!") && facts.script->size() <= 8192);
        FUZZ_CHECK(engine.kind == wyn::EngineKind::Unknown);
    }
    if (engine.kind == wyn::EngineKind::Unknown) {
        FUZZ_CHECK(!engine.xdg && engine.gameLibrary.empty() && !engine.systemWide);
    }
    FUZZ_CHECK(engine.systemWide == !engine.libraryFolder.empty());
    FUZZ_CHECK(engine.systemWide == !engine.dataFolder.empty());
    return 0;
}
