#pragma once

#include <vector>

#include "base/game_starter.h"

namespace wyn::test {

// Records every start request and answers as told.
class FakeStarter : public GameStarter {
public:
    bool result = true;
    std::vector<StartRequest> requests;

    bool start(const StartRequest& request) override {
        requests.push_back(request);
        return result;
    }
};

}  // namespace wyn::test
