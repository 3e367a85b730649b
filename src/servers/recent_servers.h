#pragma once

#include <string>
#include <vector>

#include "base/value_store.h"
#include "servers/server_address.h"

namespace wyn {

// The servers joined before, most recent first, as the stored values
// RecentServer1 to RecentServer8 hold them: each a server address (its
// addressText), once. A stored value that is no address is dropped.
std::vector<ServerAddress> readRecentServers(const ValueStore& store);

// A server joined goes first (moved there when it was in the list); the
// ninth drops off the end. The list is stored at once.
void rememberServer(ValueStore& store, const ServerAddress& address);

}  // namespace wyn
