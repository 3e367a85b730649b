#include "platform/command_line.h"

namespace wyn {

std::vector<std::string> programArguments(int argc, char* argv[]) {
    return {argv + 1, argv + argc};
}

Utf8Console::Utf8Console() = default;

Utf8Console::~Utf8Console() = default;

}  // namespace wyn
