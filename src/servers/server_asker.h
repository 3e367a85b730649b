#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "base/notifier.h"
#include "servers/server_list.h"

namespace wyn {

// What a query brought back: the servers that answered, fastest first, and
// what went wrong on the way (a host name not found, ...), one message each.
struct ServerAnswers {
    ServerList servers;
    std::vector<std::string> problems;
};

// How the windows' server objects reach the network and the clock without
// waiting: each call returns at once, and its answer comes later on the
// caller's thread (a window's event loop), unless the Connection it gave
// ended first (it was disconnected or went): then it never comes. The window
// gives the real one; tests answer by hand.
class ServerAsker {
public:
    using Answered = std::function<void(ServerAnswers)>;

    virtual ~ServerAsker() = default;
    // Asks the servers for their status, and with localNetwork searches the
    // local networks too; answered gets what came within the timeout.
    virtual Connection ask(std::vector<ServerAddress> servers, bool localNetwork,
                           std::chrono::milliseconds timeout, Answered answered) = 0;
    // Calls then after the delay.
    virtual Connection wait(std::chrono::milliseconds delay, std::function<void()> then) = 0;
};

}  // namespace wyn
