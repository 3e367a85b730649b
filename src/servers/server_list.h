#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "servers/server_address.h"
#include "servers/server_reply.h"

namespace wyn {

// At most this many servers are kept, however many answer.
inline constexpr std::size_t kMaxServers = 256;

// One server that answered: where, how fast, and what it said.
struct ServerEntry {
    ServerAddress address;
    std::chrono::milliseconds ping{0};  // the round trip of its answer
    ServerStatus status;
};

// The servers that answered, fastest first (in the order they came among
// equals), one entry per address, at most kMaxServers: when full, a server
// slower than all the others is dropped.
class ServerList {
public:
    // Takes a server's answer, in place of an earlier one of the same address.
    void merge(ServerEntry entry);
    // Takes every entry of another list.
    void merge(const ServerList& other);

    const std::vector<ServerEntry>& servers() const { return m_servers; }
    bool empty() const { return m_servers.empty(); }
    // The entry of an address; null when it did not answer.
    const ServerEntry* find(const ServerAddress& address) const;

private:
    std::vector<ServerEntry> m_servers;
};

}  // namespace wyn
