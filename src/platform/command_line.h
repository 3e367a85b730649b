#pragma once

#include <string>
#include <vector>

namespace wyn {

// A command-line program's arguments after its name, as the core keeps
// texts: the bytes main() has on Linux. On Windows main()'s arguments are in
// the ANSI code page, which cannot hold every name: there they come from the
// UTF-16 command line (QCoreApplication's, which must exist).
std::vector<std::string> programArguments(int argc, char* argv[]);

// What a command-line program prints reaches its console as UTF-8 for the
// life of this object. On Windows the console's output code page is set to
// UTF-8 and the one found is given back however the program ends: its return,
// exit(), Ctrl+C, Ctrl+Break or its console closed (the code page is the
// console's, shared with the shell that started the program). On Linux the
// terminal takes the bytes as they are, and nothing changes.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;
};

}  // namespace wyn
