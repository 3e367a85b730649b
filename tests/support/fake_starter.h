#pragma once

#include <optional>
#include <vector>

#include "base/game_starter.h"

namespace wyn::test {

// Records every start request and answers as told; a run ends with the end
// given (its request filled in), or does not start when there is none.
class FakeStarter : public GameStarter {
public:
    bool result = true;
    std::optional<GameEnd> runEnd = GameEnd{};
    std::vector<StartRequest> requests;
    std::vector<StartRequest> runs;

    bool start(const StartRequest& request) override {
        requests.push_back(request);
        return result;
    }

    std::optional<GameEnd> run(const StartRequest& request) override {
        runs.push_back(request);
        if (!runEnd) {
            return std::nullopt;
        }
        GameEnd end = *runEnd;
        end.request = request;
        return end;
    }
};

}  // namespace wyn::test
