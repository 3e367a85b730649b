#pragma once

#include <system_error>

namespace wyn {

// Network failures are reported with their WinSock numbers ("Winsock error no
// 10061"), so a message reads the same on every platform.

// WinSock number of a socket failure (10061 for a refused connection, 10060
// for a connection that timed out, ...).
int winsockErrorNumber(const std::error_code& error);

// WinSock number of a failed address or service lookup: the getaddrinfo
// result and, for a system failure, the errno value beside it.
int winsockLookupErrorNumber(int addrInfoError, int systemError);

// "a system call failed": for failures that have no closer WinSock number.
inline constexpr int kWinsockSystemCallFailure = 10107;

}  // namespace wyn
