#include "servers/friend_addresses.h"

#include <algorithm>
#include <array>
#include <functional>

#include "servers/server_address.h"

namespace wyn {

std::vector<std::string> friendAddresses(const std::vector<IpAddress>& interfaceAddresses,
                                         std::uint16_t port) {
    const auto usableV4 = [](const IpAddress& a) {
        return isUnicastV4(a) && !isLoopback(a) && !isLinkLocal(a);
    };
    const std::array<std::function<bool(const IpAddress&)>, 3> kinds{
        [&](const IpAddress& a) { return usableV4(a) && isPrivateV4(a); },
        [&](const IpAddress& a) { return usableV4(a) && !isPrivateV4(a); },
        [](const IpAddress& a) { return isGlobalV6(a); },
    };
    std::vector<std::string> addresses;
    for (const auto& kind : kinds) {
        for (const auto& address : interfaceAddresses) {
            if (!kind(address)) {
                continue;
            }
            // A global address needs no zone; the same one on two interfaces is one.
            IpAddress shown = address;
            shown.zone.clear();
            auto text = addressText(serverAt(shown, port));
            if (std::ranges::find(addresses, text) == addresses.end()) {
                addresses.push_back(std::move(text));
            }
        }
    }
    return addresses;
}

}  // namespace wyn
