#include "platform/network/interfaces.h"

// winsock2.h before windows.h, which iphlpapi.h brings in.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/network/socket_address.h"

namespace wyn {

namespace {

constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
// The list grows between two calls when an adapter comes up; a few tries suffice.
constexpr int kTries = 4;

std::string adapterName(const IP_ADAPTER_ADDRESSES& adapter) {
    if (adapter.FriendlyName == nullptr) {
        return adapter.AdapterName != nullptr ? adapter.AdapterName : "";
    }
    std::u16string name;
    for (const wchar_t* c = adapter.FriendlyName; *c != L'\0'; ++c) {
        name.push_back(static_cast<char16_t>(*c));
    }
    return utf8FromUtf16(name);
}

// A link-local IPv6 address is named by its zone's number, as Windows names it.
std::optional<IpAddress> adapterIp(const SOCKET_ADDRESS& socketAddress) {
    auto ip = ipOf(socketAddress.lpSockaddr);
    if (ip && ip->isV6() && isLinkLocal(*ip)) {
        sockaddr_in6 v6{};
        std::memcpy(&v6, socketAddress.lpSockaddr, sizeof v6);
        ip->zone = std::to_string(v6.sin6_scope_id);
    }
    return ip;
}

// The broadcast address of an IPv4 network: its host bits all set. A network
// of one or two addresses has none.
std::optional<IpAddress> broadcastOf(const IpAddress& address, int prefixLength) {
    if (!address.isV4() || prefixLength < 1 || prefixLength > 30) {
        return std::nullopt;
    }
    IpAddress broadcast = address;
    for (int bit = prefixLength; bit < 32; ++bit) {
        broadcast.bytes[static_cast<std::size_t>(bit / 8)] |=
            static_cast<std::uint8_t>(0x80u >> (bit % 8));
    }
    return broadcast;
}

}  // namespace

std::vector<InterfaceAddress> interfaceAddresses() {
    std::vector<unsigned char> buffer(16 * 1024);
    ULONG size = static_cast<ULONG>(buffer.size());
    ULONG status = ERROR_BUFFER_OVERFLOW;
    for (int tries = 0; tries < kTries && status == ERROR_BUFFER_OVERFLOW; ++tries) {
        buffer.resize(size);
        status =
            ::GetAdaptersAddresses(AF_UNSPEC, kFlags, nullptr,
                                   reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (status != NO_ERROR) {
        return {};
    }
    std::vector<InterfaceAddress> addresses;
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
         adapter != nullptr; adapter = adapter->Next) {
        if (adapter->OperStatus != IfOperStatusUp) {
            continue;
        }
        const bool loopback = adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
        for (auto* unicast = adapter->FirstUnicastAddress; unicast != nullptr;
             unicast = unicast->Next) {
            const auto address = adapterIp(unicast->Address);
            if (!address) {
                continue;
            }
            const int prefix = unicast->OnLinkPrefixLength;
            addresses.push_back({adapterName(*adapter), *address, prefix,
                                 loopback ? std::nullopt : broadcastOf(*address, prefix)});
        }
    }
    return addresses;
}

}  // namespace wyn
