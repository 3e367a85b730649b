#pragma once

#include <string>
#include <vector>

namespace wyn {

struct StartRequest {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingDirectory;

    bool operator==(const StartRequest&) const = default;
};

// Starts a program and does not wait for it.
class GameStarter {
public:
    virtual ~GameStarter() = default;
    virtual bool start(const StartRequest& request) = 0;
};

}  // namespace wyn
