#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// What a wrapper script starts, read as the shell would within limits: the
// last exec at its top level, with the variables the script assigns at its
// top level expanded and "$(dirname "$0")" standing for the script's folder.
struct WrapperScript {
    // The program: a full path, a bare name (looked up on PATH), or a path
    // below kScriptFolder.
    std::string target;
    // The exec line's words after the program; the caller's ("$@") left out.
    std::vector<std::string> arguments;
    // The folder the script changes to before the exec; empty: none.
    std::string directory;

    bool operator==(const WrapperScript&) const = default;
};

// Stands for the script's own folder until the script's path is known.
inline constexpr std::string_view kScriptFolder = "\x01";

// Nothing when the script starts nothing WYN can tell for sure: no exec at
// its top level, or one whose words depend on a condition, a loop, the
// environment or a command other than dirname "$0".
std::optional<WrapperScript> readWrapperScript(std::string_view script);

// The script with kScriptFolder replaced by its folder; a relative program
// taken from the folder the script changed to. Nothing when that folder is
// unknown.
std::optional<WrapperScript> placedWrapper(WrapperScript script, const std::string& scriptFolder);

}  // namespace wyn
