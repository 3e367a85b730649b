#pragma once

#include <vector>

#include "app/ctl_context.h"
#include "app/ctl_session.h"
#include "platform/network/interfaces.h"

namespace wyn {

// status [--timeout SECONDS] ADDRESS: NAME<TAB>VALUE for each server rule in
// the order received, players<TAB>N, then FRAGS<TAB>PING<TAB>NAME for each
// player. No answer: "No answer from ADDRESS." and exit 1; not an address:
// exit 2.
int ctlStatus(CtlContext& context, const CtlArguments& args);

// servers [--timeout SECONDS] [--lan] [ADDRESS...]: one line per server that
// answered, fastest first: ADDRESS<TAB>PING_MS<TAB>MAP<TAB>PLAYERS/MAX<TAB>NAME.
// Exit 0 also when none answered.
int ctlServers(CtlContext& context, const CtlArguments& args);

// addresses [--port N]: ADDRESS:PORT of each address friends use, one a line,
// from the interfaces' addresses given.
int ctlAddresses(CtlContext& context, const std::vector<InterfaceAddress>& interfaces,
                 const CtlArguments& args);

// join [--dry-run] ADDRESS: starts the session's game joining the server, or
// with --dry-run prints the start instead. A server joined is remembered among
// the recent servers.
int ctlJoin(CtlContext& context, CtlSession& session, const CtlArguments& args);

}  // namespace wyn
