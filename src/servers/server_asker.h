#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "servers/server_list.h"

namespace wyn {

// What a query brought back: the servers that answered, fastest first, and
// what went wrong on the way (a host name not found, ...), one message each.
struct ServerAnswers {
    ServerList servers;
    std::vector<std::string> problems;
};

// A query or a wait under way. It ends when it goes or is reset: its call is
// never made after that, so an object that holds it may go at any time.
class Pending {
public:
    Pending() = default;
    explicit Pending(std::function<void()> cancel) : m_cancel(std::move(cancel)) {}
    Pending(Pending&& other) noexcept : m_cancel(std::exchange(other.m_cancel, {})) {}
    Pending& operator=(Pending&& other) noexcept {
        if (this != &other) {
            reset();
            m_cancel = std::exchange(other.m_cancel, {});
        }
        return *this;
    }
    Pending(const Pending&) = delete;
    Pending& operator=(const Pending&) = delete;
    ~Pending() { reset(); }

    void reset() {
        if (m_cancel) {
            std::exchange(m_cancel, {})();
        }
    }
    // Not ended yet. Its holder resets it when the call comes.
    bool active() const { return static_cast<bool>(m_cancel); }

private:
    std::function<void()> m_cancel;
};

// How the windows' server objects reach the network and the clock without
// waiting: each call returns at once, and its answer comes later on the
// caller's thread (a window's event loop), unless its Pending ended first.
// The window gives the real one; tests answer by hand.
class ServerAsker {
public:
    using Answered = std::function<void(ServerAnswers)>;

    virtual ~ServerAsker() = default;
    // Asks the servers for their status, and with localNetwork searches the
    // local networks too; answered gets what came within the timeout.
    virtual Pending ask(std::vector<ServerAddress> servers, bool localNetwork,
                        std::chrono::milliseconds timeout, Answered answered) = 0;
    // Calls then after the delay.
    virtual Pending wait(std::chrono::milliseconds delay, std::function<void()> then) = 0;
};

}  // namespace wyn
