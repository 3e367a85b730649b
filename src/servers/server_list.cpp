#include "servers/server_list.h"

#include <algorithm>

namespace wyn {

void ServerList::merge(ServerEntry entry) {
    const auto same = std::ranges::find(m_servers, entry.address, &ServerEntry::address);
    if (same != m_servers.end()) {
        m_servers.erase(same);
    }
    const auto place = std::ranges::upper_bound(m_servers, entry.ping, {}, &ServerEntry::ping);
    if (m_servers.size() == kMaxServers) {
        if (place == m_servers.end()) {
            return;
        }
        m_servers.pop_back();
    }
    m_servers.insert(std::ranges::upper_bound(m_servers, entry.ping, {}, &ServerEntry::ping),
                     std::move(entry));
}

void ServerList::merge(const ServerList& other) {
    for (const auto& entry : other.m_servers) {
        merge(entry);
    }
}

const ServerEntry* ServerList::find(const ServerAddress& address) const {
    const auto found = std::ranges::find(m_servers, address, &ServerEntry::address);
    return found == m_servers.end() ? nullptr : &*found;
}

}  // namespace wyn
