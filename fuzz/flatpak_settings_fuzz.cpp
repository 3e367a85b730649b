// Any bytes as a Flatpak key file and as a user-dirs.dirs: the grants read are
// not empty and, written out again as a key file, read back the same; every
// special folder read is a full path, the desktop always among them.
#include "engine/flatpak.h"
#include "fuzz_check.h"

namespace {

// An item as GLib writes a list's item: its separators and blanks escaped.
std::string escaped(const std::string& item) {
    std::string text;
    for (const char c : item) {
        switch (c) {
            case '\\':
                text += "\\\\";
                break;
            case ';':
                text += "\\;";
                break;
            case ' ':
                text += "\\s";
                break;
            case '\t':
                text += "\\t";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\r':
                text += "\\r";
                break;
            default:
                text += c;
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = wyn::fuzz::asText(data, size);
    const auto grants = wyn::flatpakFilesystems(text);
    std::string written = "[Context]\nfilesystems=";
    for (const auto& grant : grants) {
        FUZZ_CHECK(!grant.empty());
        written += escaped(grant) + ";";
    }
    FUZZ_CHECK(wyn::flatpakFilesystems(written + "\n") == grants);

    const auto folders = wyn::specialFolders(text, "/home/p");
    FUZZ_CHECK(folders.contains("xdg-desktop"));
    for (const auto& [name, folder] : folders) {
        FUZZ_CHECK(name.starts_with("xdg-") && folder.starts_with('/'));
    }
    return 0;
}
