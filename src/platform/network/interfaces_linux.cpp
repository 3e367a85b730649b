#include "platform/network/interfaces.h"

#include <ifaddrs.h>
#include <net/if.h>

#include <bit>
#include <memory>

#include "platform/network/socket_address.h"

namespace wyn {

namespace {

// A link-local IPv6 address is named by its interface's name.
std::optional<IpAddress> interfaceIp(const sockaddr* address, const char* interface) {
    auto ip = ipOf(address);
    if (ip && ip->isV6() && isLinkLocal(*ip)) {
        ip->zone = interface;
    }
    return ip;
}

int prefixLength(const std::optional<IpAddress>& netmask) {
    int length = 0;
    if (netmask) {
        for (const auto byte : netmask->bytes) {
            length += std::popcount(byte);
        }
    }
    return length;
}

}  // namespace

std::vector<InterfaceAddress> interfaceAddresses() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return {};
    }
    const std::unique_ptr<ifaddrs, void (*)(ifaddrs*)> owner(list, ::freeifaddrs);
    std::vector<InterfaceAddress> addresses;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        const auto address = interfaceIp(entry->ifa_addr, entry->ifa_name);
        if (!address || (entry->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        InterfaceAddress found{
            entry->ifa_name, *address, prefixLength(ipOf(entry->ifa_netmask)), {}};
        if (address->isV4() && (entry->ifa_flags & IFF_BROADCAST) != 0) {
            found.broadcast = ipOf(entry->ifa_broadaddr);
        }
        addresses.push_back(std::move(found));
    }
    return addresses;
}

}  // namespace wyn
