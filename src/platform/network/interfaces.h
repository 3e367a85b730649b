#pragma once

#include <optional>
#include <string>
#include <vector>

#include "servers/ip_address.h"

namespace wyn {

// One address of a network interface that is up.
struct InterfaceAddress {
    std::string interface;  // "eth0"; on Windows the adapter's name as the system shows it
    IpAddress address;      // a link-local IPv6 address with its zone
    int prefixLength = 0;
    // The IPv4 broadcast address of the interface's network, where it has one.
    std::optional<IpAddress> broadcast;
};

// The addresses of this machine's interfaces that are up, in the system's
// order; empty when the system cannot list them. (getifaddrs here,
// GetAdaptersAddresses on Windows: interfaces_linux.cpp, interfaces_windows.cpp.)
std::vector<InterfaceAddress> interfaceAddresses();

// The addresses alone.
inline std::vector<IpAddress> addressesOf(const std::vector<InterfaceAddress>& interfaces) {
    std::vector<IpAddress> addresses;
    for (const auto& entry : interfaces) {
        addresses.push_back(entry.address);
    }
    return addresses;
}

}  // namespace wyn
