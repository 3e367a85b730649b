// Any bytes as a wrapper script, read as the shell would run it with WYN's
// words: no crash, no hang, bounded memory (libFuzzer's limits); every way
// read execs a full path in a full path or the caller's folder, and its words
// are the script's own or the caller's, whole.
#include "engine/wrapper_script.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte: whether the bytes are the whole script, and whether
    // the game directory is known.
    const bool whole = (data[0] & 1) != 0;
    const bool folderKnown = (data[0] & 2) != 0;
    const auto script = wyn::fuzz::asText(data + 1, size - 1);
    wyn::WrapperCall call{
        "/usr/games/quake2",
        {"-datadir", folderKnown ? std::optional<std::string>("/games/q 2") : std::nullopt, "+set",
         "game", "vantor", "+exec", "wyn.cfg"},
        "",
        [](const std::string& folder) { return "/real" + folder; },
        whole};
    const auto execs = wyn::readWrapperScript(script, call);
    if (!execs) {
        return 0;
    }
    FUZZ_CHECK(script.starts_with("#!"));
    for (const auto& exec : *execs) {
        FUZZ_CHECK(exec.program.starts_with('/') && !exec.name.empty());
        FUZZ_CHECK(exec.directory.empty() || exec.directory.starts_with('/'));
        for (const auto& folder : exec.folders) {
            FUZZ_CHECK(folder.starts_with('/'));
        }
        for (const auto& word : exec.arguments) {
            FUZZ_CHECK(word.caller < static_cast<int>(call.arguments.size()));
            if (word.caller >= 0) {
                FUZZ_CHECK(word.text == call.arguments[word.caller].value_or(""));
            }
        }
    }
    return 0;
}
