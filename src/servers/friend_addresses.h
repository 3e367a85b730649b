#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "servers/ip_address.h"

namespace wyn {

// The addresses of this machine that friends can reach a server on, from the
// addresses of its network interfaces: the private IPv4 ones, then the public
// IPv4 ones, then the global IPv6 ones, each once, in the interfaces' order
// within each kind, as "ADDRESS:PORT" ("[IPv6]:PORT"). Loopback, link-local
// and addresses no host has are left out.
std::vector<std::string> friendAddresses(const std::vector<IpAddress>& interfaceAddresses,
                                         std::uint16_t port);

}  // namespace wyn
