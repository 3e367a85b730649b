#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace wyn::test {

// How a server of the test answers each request it gets.
struct Behaviour {
    std::vector<std::string> replies;  // sent in order
    bool endless = false;              // then the last one again and again
    bool fromElsewhere = false;        // from another port than the one asked
};

// A game server's status reply: "print", the rules, one line per player.
std::string statusReply(const std::string& rules, const std::vector<std::string>& players = {});

// A UDP server on a port of its own on loopback (or the address given), on a
// thread of its own, until it goes. It answers every request as told.
class UdpServer {
public:
    explicit UdpServer(Behaviour behaviour, const char* address = "127.0.0.1");
    ~UdpServer();
    UdpServer(const UdpServer&) = delete;
    UdpServer& operator=(const UdpServer&) = delete;

    std::uint16_t port() const { return m_socket.local_endpoint().port(); }
    std::string address() const { return "127.0.0.1:" + std::to_string(port()); }
    // The requests it got so far.
    int requests() const { return m_requests.load(); }

private:
    void receive();
    void answer(const asio::ip::udp::endpoint& to);

    Behaviour m_behaviour;
    asio::io_context m_io;
    asio::ip::udp::socket m_socket;
    asio::ip::udp::socket m_other;
    std::array<char, 64> m_request{};
    asio::ip::udp::endpoint m_from;
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};

}  // namespace wyn::test
