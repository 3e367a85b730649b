#include "servers/recent_servers.h"

#include <algorithm>

#include "store/stored_values.h"

namespace wyn {

std::vector<ServerAddress> readRecentServers(const ValueStore& store) {
    std::vector<ServerAddress> servers;
    for (const char* name : stored::RecentServers) {
        const auto address = parseServerAddress(store.readValue(name));
        if (address && std::ranges::find(servers, *address) == servers.end()) {
            servers.push_back(*address);
        }
    }
    return servers;
}

void rememberServer(ValueStore& store, const ServerAddress& address) {
    auto servers = readRecentServers(store);
    std::erase(servers, address);
    servers.insert(servers.begin(), address);
    for (std::size_t i = 0; i < stored::RecentServers.size(); ++i) {
        store.writeValue(stored::RecentServers[i],
                         i < servers.size() ? addressText(servers[i]) : std::string());
    }
}

}  // namespace wyn
