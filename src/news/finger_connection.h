#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace wyn {

// Called again and again while a query waits, so the caller's user interface
// stays alive (the window passes its event processing). May be empty.
using ProcessEvents = std::function<void()>;

// When a step of a query gives up; none: never.
using FingerDeadline = std::optional<std::chrono::steady_clock::time_point>;

// How one step of a finger query's connection ended; a failure carries its
// WinSock number, so a message reads the same on every system.
struct FingerStep {
    enum class Outcome { Done, TimedOut, Failed };
    Outcome outcome = Outcome::Done;
    int winsockError = 0;

    bool done() const { return outcome == Outcome::Done; }
};

// The network under one finger query: the host and service lookups and one
// TCP connection over IPv4. Each step waits until it is done, has failed or
// its deadline has passed, running the caller's events between short slices;
// a lookup still under way at its deadline is abandoned, not awaited.
// Destroying the connection closes it. The system's side is in
// src/platform/network (openFingerConnection).
class FingerConnection {
public:
    virtual ~FingerConnection() = default;

    // The IPv4 address (host byte order) of a host name or dotted address.
    virtual FingerStep lookUpHost(const std::string& host, FingerDeadline deadline,
                                  std::uint32_t& address) = 0;
    // The port of a service name ("finger").
    virtual FingerStep lookUpService(const std::string& service, FingerDeadline deadline,
                                     std::uint16_t& port) = 0;
    virtual FingerStep connect(std::uint32_t address, std::uint16_t port,
                               FingerDeadline deadline) = 0;
    virtual FingerStep send(std::string_view bytes, FingerDeadline deadline) = 0;
    virtual FingerStep waitUntilReadable(FingerDeadline deadline) = 0;
    // Reads what has arrived, at most the buffer's size; closed when the
    // server has closed the connection.
    virtual FingerStep read(std::span<char> buffer, FingerDeadline deadline, std::size_t& count,
                            bool& closed) = 0;
    virtual FingerStep close() = 0;
};

// This system's connection; none, with the WinSock number of the failure,
// when the system cannot give one.
std::unique_ptr<FingerConnection> openFingerConnection(ProcessEvents processEvents,
                                                       int& winsockError);

}  // namespace wyn
