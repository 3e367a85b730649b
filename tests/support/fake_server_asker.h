#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "servers/server_asker.h"

namespace wyn::test {

// Records every query and wait of a window's server object; the test answers
// them by hand, in the order it likes. One that ended is not answered.
class FakeServerAsker : public ServerAsker {
public:
    struct Query {
        std::vector<ServerAddress> servers;
        bool localNetwork = false;
        std::chrono::milliseconds timeout{0};
        Answered answered;
        std::shared_ptr<bool> ended = std::make_shared<bool>(false);
    };
    struct Wait {
        std::chrono::milliseconds delay{0};
        std::function<void()> then;
        std::shared_ptr<bool> ended = std::make_shared<bool>(false);
    };
    std::vector<Query> queries;
    std::vector<Wait> waits;

    Connection ask(std::vector<ServerAddress> servers, bool localNetwork,
                   std::chrono::milliseconds timeout, Answered answered) override {
        queries.push_back({std::move(servers), localNetwork, timeout, std::move(answered)});
        return Connection([ended = queries.back().ended] { *ended = true; });
    }
    Connection wait(std::chrono::milliseconds delay, std::function<void()> then) override {
        waits.push_back({delay, std::move(then)});
        return Connection([ended = waits.back().ended] { *ended = true; });
    }

    // Answers a query (the last one by default); false (and nothing called)
    // when it had ended.
    bool answer(ServerAnswers answers) { return answer(queries.size() - 1, std::move(answers)); }
    bool answer(std::size_t index, ServerAnswers answers) {
        Query& query = queries.at(index);
        if (*query.ended) {
            return false;
        }
        *query.ended = true;
        const Answered answered = query.answered;  // the call may ask again
        answered(std::move(answers));
        return true;
    }
    // Ends the last wait; false when it had ended.
    bool endWait() {
        Wait& wait = waits.back();
        if (*wait.ended) {
            return false;
        }
        *wait.ended = true;
        const auto then = wait.then;  // the call may wait again
        then();
        return true;
    }
    // Queries and waits not ended.
    std::size_t openQueries() const {
        return static_cast<std::size_t>(
            std::ranges::count_if(queries, [](const Query& q) { return !*q.ended; }));
    }
    std::size_t openWaits() const {
        return static_cast<std::size_t>(
            std::ranges::count_if(waits, [](const Wait& w) { return !*w.ended; }));
    }
};

}  // namespace wyn::test
