#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <utility>

namespace wyn::test {

// Runs a shell command: what it printed, standard error included, and its
// exit status (-1 when it did not exit).
inline std::pair<std::string, int> runShell(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return {"", -1};
    }
    std::string output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = ::pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace wyn::test
