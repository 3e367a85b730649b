// Any bytes as a Steam libraryfolders.vdf: the folders read are few and not
// empty, and written out again as a list of the current format they read
// back the same.
#include "content/installation_search.h"
#include "fuzz_check.h"

namespace {

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            result += '\\';
        }
        result += c;
    }
    return result + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto folders = wyn::steamLibraryFolders(wyn::fuzz::asText(data, size));
    FUZZ_CHECK(folders.size() <= wyn::kMaxSteamLibraries);
    std::string written = "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        FUZZ_CHECK(!folders[i].empty());
        written += "\t" + quoted(std::to_string(i)) + "\n\t{\n\t\t\"path\"\t\t" +
                   quoted(folders[i]) + "\n\t}\n";
    }
    FUZZ_CHECK(wyn::steamLibraryFolders(written + "}\n") == folders);
    return 0;
}
