#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// How a wrapper script is started: as the shell starts it, with its path
// ($0, as given: links are not resolved) and the words after it.
struct WrapperCall {
    std::string path;
    // The caller's words; nothing for a word whose text the caller does not
    // know yet (the game directory, which recognition does not know).
    std::vector<std::optional<std::string>> arguments;
    // The folder the script starts in; empty: the caller's, which the reading
    // does not know.
    std::string directory;
    // The real path of a file or folder, links resolved ("pwd -P", "readlink
    // -f", "realpath"); empty or unset: unknown.
    std::function<std::string(const std::string&)> realPath;
    // False when the script's bytes stop before its end: what lies past them
    // is unknown.
    bool complete = true;
};

// A word of an exec line: the script's own, or one of the caller's words
// passed on whole (its text then the caller's, empty when unknown).
struct ExecWord {
    std::string text;
    int caller = -1;  // its index in WrapperCall::arguments

    bool operator==(const ExecWord&) const = default;
};

// One way a script may end in exec.
struct WrapperExec {
    // The program as exec names it (the $0 of a script it starts), and as a
    // full path.
    std::string name;
    std::string program;
    std::vector<ExecWord> arguments;
    // The working directory it starts in; empty: the one the script started in.
    std::string directory;
    // Every folder the script changed to on its way. The shell goes on in the
    // folder it was in when one cannot be entered: the reading holds only
    // where every way's folders are folders.
    std::vector<std::string> folders;

    bool operator==(const WrapperExec&) const = default;
};

// Reads a "#!" shell script as the shell would run it, with the caller's
// words and $0 known: every way it may take to an exec, each once. Conditions
// the reading cannot decide (files, other programs' results, the environment)
// are followed both ways; a way that ends without exec (exit, an error) is
// not among them. Nothing when a way cannot be followed: a syntax or command
// the reading does not know, an expansion it cannot tell where it decides
// anything, a program started some other way with the caller's words, a limit
// reached. Bounded in time and memory for any bytes.
std::optional<std::vector<WrapperExec>> readWrapperScript(std::string_view script,
                                                          const WrapperCall& call);

}  // namespace wyn
