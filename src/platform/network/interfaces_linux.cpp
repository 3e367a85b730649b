#include "platform/network/interfaces.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <bit>
#include <cstring>
#include <memory>

namespace wyn {

namespace {

std::optional<IpAddress> ipOf(const sockaddr* address, const char* interface) {
    if (address == nullptr) {
        return std::nullopt;
    }
    if (address->sa_family == AF_INET) {
        sockaddr_in v4{};
        std::memcpy(&v4, address, sizeof v4);
        IpAddress ip;
        std::memcpy(ip.bytes.data(), &v4.sin_addr, 4);
        return ip;
    }
    if (address->sa_family == AF_INET6) {
        sockaddr_in6 v6{};
        std::memcpy(&v6, address, sizeof v6);
        std::array<std::uint8_t, 16> bytes{};
        std::memcpy(bytes.data(), &v6.sin6_addr, 16);
        auto ip = IpAddress::v6(bytes);
        if (isLinkLocal(ip)) {
            ip.zone = interface;
        }
        return ip;
    }
    return std::nullopt;
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
        const auto address = ipOf(entry->ifa_addr, entry->ifa_name);
        if (!address || (entry->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        InterfaceAddress found{
            entry->ifa_name, *address, prefixLength(ipOf(entry->ifa_netmask, entry->ifa_name)), {}};
        if (address->isV4() && (entry->ifa_flags & IFF_BROADCAST) != 0) {
            found.broadcast = ipOf(entry->ifa_broadaddr, entry->ifa_name);
        }
        addresses.push_back(std::move(found));
    }
    return addresses;
}

}  // namespace wyn
