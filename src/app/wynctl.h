#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace wyn {

class GameStarter;
class ForegroundRunner;

// The whole of wynctl: arguments (without the program name) in, exit code
// out. The game's starters are passed in so tests can see what would be
// started: the detached one, and the foreground one of launch --wait.
int runWynctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              GameStarter& starter, ForegroundRunner& foreground);

}  // namespace wyn
