// Any bytes as an executable's or a game library's: the ELF header reader looks
// at the first 64 bytes only and gives a class it knows; recognition reads the
// bytes through bounded reads, asks for no more than a section table or a
// piece at a time, keeps only the facts of the engine it found, and stands a
// reader that answers with more or fewer bytes than asked, as a file that
// grows or shrinks while it is read does.
#include <algorithm>

#include "engine/engine.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte says how the file changes under the reader: up to 127
    // bytes more than asked, or up to 127 fewer.
    const int change = static_cast<int>(data[0] & 0x7f) * ((data[0] & 0x80) ? -1 : 1);
    const auto bytes = wyn::fuzz::asText(data + 1, size - 1);

    const auto header = wyn::readElfHeader(bytes);
    if (header) {
        FUZZ_CHECK(header->bits == 32 || header->bits == 64);
    }

    const auto facts = wyn::readExecutableFacts([&](std::uint64_t offset, std::size_t wanted) {
        FUZZ_CHECK(wanted <= std::size_t{1} << 20);
        if (offset >= bytes.size()) {
            return std::string();
        }
        const auto answered = std::max<long long>(0, static_cast<long long>(wanted) + change);
        return std::string(
            bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(answered)));
    });
    const auto& engine = facts.engine;
    if (!facts.wrapperTarget.empty()) {
        FUZZ_CHECK(bytes.starts_with("#!") && facts.wrapperTarget.starts_with('/'));
        FUZZ_CHECK(engine.kind == wyn::EngineKind::Unknown);
    }
    if (engine.kind == wyn::EngineKind::Unknown) {
        FUZZ_CHECK(!engine.xdg && engine.gameLibrary.empty() && !engine.systemWide);
    }
    FUZZ_CHECK(engine.systemWide == !engine.libraryFolder.empty());
    FUZZ_CHECK(engine.systemWide == !engine.dataFolder.empty());
    return 0;
}
