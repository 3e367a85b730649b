#include "platform/network/socket_address.h"

#include <algorithm>
#include <cstring>

namespace wyn {

IpAddress ipOf(const asio::ip::address& address) {
    if (address.is_v4()) {
        const auto bytes = address.to_v4().to_bytes();
        return IpAddress::v4(bytes[0], bytes[1], bytes[2], bytes[3]);
    }
    std::array<std::uint8_t, 16> bytes{};
    std::ranges::copy(address.to_v6().to_bytes(), bytes.begin());
    return IpAddress::v6(bytes);
}

std::optional<IpAddress> ipOf(const sockaddr* address) {
    if (address == nullptr) {
        return std::nullopt;
    }
    // Asio's endpoint holds either family as the system lays it out.
    asio::ip::udp::endpoint endpoint;
    std::size_t size = 0;
    if (address->sa_family == AF_INET) {
        size = sizeof(sockaddr_in);
    } else if (address->sa_family == AF_INET6) {
        size = sizeof(sockaddr_in6);
    } else {
        return std::nullopt;
    }
    std::memcpy(endpoint.data(), address, size);
    endpoint.resize(size);
    return ipOf(endpoint.address());
}

}  // namespace wyn
