#pragma once

#include <optional>

#include <asio/ip/address.hpp>
#include <asio/ip/udp.hpp>

#include "servers/ip_address.h"

namespace wyn {

// The addresses of the system and of Asio as the core's values; a zone is
// the caller's to add, as each system names it.
IpAddress ipOf(const asio::ip::address& address);
// A socket address (sockaddr) of the system: nothing for a family other than
// IPv4 and IPv6.
std::optional<IpAddress> ipOf(const sockaddr* address);

}  // namespace wyn
