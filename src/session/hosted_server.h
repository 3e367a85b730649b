#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/game_starter.h"
#include "servers/server_address.h"

namespace wyn {

class SessionSettings;

// A server a start of WYN runs on this machine.
struct HostedServer {
    ServerAddress address;  // as this machine asks it
    bool dedicated = false;

    bool operator==(const HostedServer&) const = default;
};

// This machine's server at a port, as this machine asks it: 127.0.0.1:PORT.
ServerAddress localServer(std::uint16_t port);

// The port console lines give the server: the last "set port N" or "port N"
// among them (quotes and flags after the value allowed), else 27910.
std::uint16_t consolePort(const std::vector<std::string>& lines);

// The port the session's server listens on: what the start arguments and
// then the session's wyn.cfg (where an edited command line goes) set, else
// 27910. A script that cannot be read sets nothing.
std::uint16_t sessionServerPort(const SessionSettings& session,
                                const std::vector<std::string>& arguments = {});

// The server a start runs: every launch hosts one, dedicated or not; a join
// (+connect) hosts none.
std::optional<HostedServer> hostedServer(const SessionSettings& session,
                                         const StartRequest& request);

}  // namespace wyn
