#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "servers/server_list.h"

namespace wyn {

// The ports a search of the local network asks: a server's default port and
// the three after it, where a second, third and fourth server on one machine go.
inline constexpr std::uint16_t kFirstLanPort = kDefaultServerPort;
inline constexpr std::uint16_t kLastLanPort = kDefaultServerPort + 3;
// More interfaces than this are not searched.
inline constexpr std::size_t kMaxSearchedInterfaces = 64;

struct QueryRequest {
    // Asked for their status, all at once.
    std::vector<ServerAddress> servers;
    // Also search the local networks: "info" by broadcast to the LAN ports of
    // each interface with a broadcast address; each server that answers from
    // that interface's network is then asked for its status.
    bool localNetwork = false;
    // The whole query ends by then, however many were asked.
    std::chrono::milliseconds timeout{3000};
};

struct QueryResult {
    // Every server that answered, fastest first, under the address it was
    // asked by (a server found on the local network: the one it answered from).
    ServerList servers;
    // What went wrong on the way, one message each: a host name not found, an
    // address that cannot be reached, a server that answered with something
    // else than its status.
    std::vector<std::string> problems;
};

// Asks and waits, at most the request's timeout (host names being looked up
// beside it are abandoned then). Only a reply from an address asked (for a
// search, from the network searched) counts, only the first status of each,
// and each is read into a buffer of kMaxReply: a flood of replies costs time
// until the timeout, never memory.
QueryResult queryServers(const QueryRequest& request);

// A query beside the caller, which never waits for it: it runs on a thread of
// its own and hands its result to done from that thread (a window posts it to
// its own thread).
class ServerQuery {
public:
    using Done = std::function<void(QueryResult)>;

    // Throws std::system_error when no thread can be started.
    static std::shared_ptr<ServerQuery> start(QueryRequest request, Done done);

    // From its return on, done is not called (a call under way has returned by
    // then); the query stops soon after. done may call it too.
    void cancel();
    bool cancelled() const { return m_cancelled.load(); }

    explicit ServerQuery(Done done) : m_done(std::move(done)) {}

private:
    void finish(QueryResult result);

    std::recursive_mutex m_mutex;
    std::atomic<bool> m_cancelled{false};
    Done m_done;
};

}  // namespace wyn
