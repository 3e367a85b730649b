#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wyn {

// An IPv4 or IPv6 address as a value, read and written as text without the
// system's help, so the rules over addresses are tested on any machine.
struct IpAddress {
    enum class Family { V4, V6 };

    Family family = Family::V4;
    // Network byte order; an IPv4 address uses the first four.
    std::array<std::uint8_t, 16> bytes{};
    // An IPv6 address's zone ("eth0" in "fe80::1%eth0"); empty for none.
    std::string zone;

    static IpAddress v4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);
    static IpAddress v6(const std::array<std::uint8_t, 16>& bytes, std::string zone = {});

    bool isV4() const { return family == Family::V4; }
    bool isV6() const { return family == Family::V6; }

    bool operator==(const IpAddress&) const = default;
};

// Dotted decimal "10.0.0.1": four numbers from 0 to 255, without leading
// zeros (which some readers take for octal).
std::optional<IpAddress> parseIpv4(std::string_view text);
// RFC 4291 text ("2001:db8::1", "::ffff:10.0.0.1"), with an optional zone
// of letters, digits, '-', '_' and '.' after '%'.
std::optional<IpAddress> parseIpv6(std::string_view text);

// The address as text: dotted decimal, or IPv6 as RFC 5952 writes it
// (lower case, the longest run of zero groups shortened), its zone after '%'.
std::string ipText(const IpAddress& address);

// The kinds of address the rules tell apart.
bool isLoopback(const IpAddress& address);   // 127.0.0.0/8, ::1
bool isLinkLocal(const IpAddress& address);  // 169.254.0.0/16, fe80::/10
// The private IPv4 networks 10/8, 172.16/12 and 192.168/16.
bool isPrivateV4(const IpAddress& address);
// An IPv4 address a host may have: not 0/8, multicast or the reserved 240/4.
bool isUnicastV4(const IpAddress& address);
// Global unicast IPv6, 2000::/3.
bool isGlobalV6(const IpAddress& address);

// Whether two IPv4 addresses share the network of a prefix length (0 to 32).
bool sameNetworkV4(const IpAddress& a, const IpAddress& b, int prefixLength);

}  // namespace wyn
