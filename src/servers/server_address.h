#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "servers/ip_address.h"

namespace wyn {

// The port a Quake II server listens on unless it sets "port".
inline constexpr std::uint16_t kDefaultServerPort = 27910;

// A server as the user names it: a host name or an address, and a port. Only
// letters, digits and the few marks of names and addresses get in, so the
// text may go onto the game's command line as "+connect TEXT".
struct ServerAddress {
    std::string host;  // a name, dotted IPv4 or IPv6 (without brackets)
    std::uint16_t port = kDefaultServerPort;

    bool operator==(const ServerAddress&) const = default;
};

// What the user typed, checked: the address, or the message that refuses it.
struct AddressCheck {
    std::optional<ServerAddress> address;
    std::string problem;
};

// HOST, HOST:PORT, [IPv6]:PORT (also [IPv6] and a bare IPv6 address, on the
// default port). Blanks around the text are ignored. A host is an IPv4 or
// IPv6 address, or a name of letters, digits, '-' and '_' in dot-separated
// labels; a port is 1 to 65535.
AddressCheck checkServerAddress(std::string_view text);
std::optional<ServerAddress> parseServerAddress(std::string_view text);

// "HOST:PORT", "[IPv6]:PORT": the one way an address is shown, stored and
// given to the game. An IPv6 address in RFC 5952's form.
std::string addressText(const ServerAddress& address);

// The server at an address the system answered from.
ServerAddress serverAt(const IpAddress& address, std::uint16_t port);

// The address of a host that is an address literal; nothing for a name.
std::optional<IpAddress> literalAddress(const ServerAddress& address);

// "No answer from ADDRESS."
std::string noAnswerMessage(const ServerAddress& address);

}  // namespace wyn
