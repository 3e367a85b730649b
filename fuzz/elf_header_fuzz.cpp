// Any bytes as an executable's or a game library's: the ELF header reader looks
// at the first 64 bytes only and gives a class it knows; recognition reads the
// bytes through the same bounded reads as a file's, asks for no more than a
// section table or a piece at a time, and keeps only the facts of the engine it
// found.
#include <algorithm>

#include "engine/engine.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = wyn::fuzz::asText(data, size);
    const auto header = wyn::readElfHeader(bytes);
    FUZZ_CHECK(header == wyn::readElfHeader(bytes.substr(0, wyn::kElfHeaderBytes)));
    if (header) {
        FUZZ_CHECK(header->bits == 32 || header->bits == 64);
        FUZZ_CHECK(wyn::whyUnfit(bytes, *header).empty());
        const auto section = wyn::readElfSection(bytes, *header);
        FUZZ_CHECK(section.has_value() == (size >= (header->bits == 64 ? 64u : 40u)));
    }

    const auto facts = wyn::readExecutableFacts([&](std::uint64_t offset, std::size_t wanted) {
        FUZZ_CHECK(wanted <= std::size_t{1} << 20);
        if (offset >= size) {
            return std::string();
        }
        return std::string(bytes.substr(static_cast<std::size_t>(offset), wanted));
    });
    const auto& engine = facts.engine;
    if (!facts.wrapperTarget.empty()) {
        FUZZ_CHECK(bytes.starts_with("#!") && facts.wrapperTarget.starts_with('/'));
        FUZZ_CHECK(engine.kind == wyn::EngineKind::Unknown);
    }
    if (engine.kind != wyn::EngineKind::Q2pro) {
        FUZZ_CHECK(!engine.systemWide && engine.dataFolder.empty() && engine.homeFolder.empty());
    }
    if (engine.kind == wyn::EngineKind::Unknown) {
        FUZZ_CHECK(!engine.xdg && engine.gameLibrary.empty());
    }
    FUZZ_CHECK(engine.systemWide == !engine.libraryFolder.empty());
    return 0;
}
