#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace wyn {

class GameStarter;

// The whole of wynctl: arguments (without the program name) in, exit code
// out. The game starter is passed in so tests can see what would be started.
int runWynctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              GameStarter& starter);

}  // namespace wyn
