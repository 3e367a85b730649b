#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// The game's query protocol: a datagram of four 0xFF bytes and a command to
// the server's UDP port, answered with one datagram.
inline constexpr std::string_view kStatusRequest{"\xff\xff\xff\xffstatus\n", 11};
// 34 is the protocol version; a client asks the local network with it.
inline constexpr std::string_view kInfoRequest{"\xff\xff\xff\xffinfo 34\n", 12};

// What a reply may hold; what lies beyond is dropped, so no server can make
// the client grow. A datagram larger than kMaxReply is no reply.
inline constexpr std::size_t kMaxReply = 64u * 1024u;
inline constexpr std::size_t kMaxPlayers = 256;
inline constexpr std::size_t kMaxRules = 1024;

// A text as the game shows it in its console: the high bit of each byte taken
// off, and what is then no printable ASCII character shown as '.', except the
// game's bold brackets (16 and 17) as '[' and ']'. So a name never holds a
// control character, a tab or a line break, whatever the server sent.
std::string gameText(std::string_view bytes);

struct ServerRule {
    std::string name;
    std::string value;

    bool operator==(const ServerRule&) const = default;
};

struct ServerPlayer {
    int frags = 0;
    int ping = 0;
    std::string name;

    bool operator==(const ServerPlayer&) const = default;
};

// A server's answer to "status": its rules in the order sent, then its
// players, all texts as the game shows them.
struct ServerStatus {
    std::vector<ServerRule> rules;
    std::vector<ServerPlayer> players;

    // The value of the first rule of that name; empty when there is none.
    std::string rule(std::string_view name) const;

    bool operator==(const ServerStatus&) const = default;
};

// "print\n", a line of "\NAME\VALUE" pairs, then one line FRAGS PING "NAME"
// per player, every line ended by a line break. Nothing when the datagram is
// anything else (another reply, cut short, malformed, too large); rules
// beyond kMaxRules and players beyond kMaxPlayers are dropped.
std::optional<ServerStatus> parseStatusReply(std::string_view datagram);

// The answer to "info 34": "info\n" and one line, host name, map and
// players/maximum, the first two right-aligned in 16 and 8 columns.
struct ServerInfo {
    std::string name;
    std::string map;
    int players = 0;
    int maxPlayers = 0;

    bool operator==(const ServerInfo&) const = default;
};
std::optional<ServerInfo> parseInfoReply(std::string_view datagram);

// What a list of servers shows of a status: the values of "hostname",
// "mapname" and "PLAYERS/MAX" (MAX from "maxclients").
std::string serverName(const ServerStatus& status);
std::string serverMap(const ServerStatus& status);
std::string playersText(const ServerStatus& status);

}  // namespace wyn
