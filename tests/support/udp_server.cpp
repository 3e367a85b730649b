#include "udp_server.h"

#include <asio/post.hpp>

namespace wyn::test {

using asio::ip::udp;

std::string statusReply(const std::string& rules, const std::vector<std::string>& players) {
    std::string reply = "\xff\xff\xff\xffprint\n" + rules + "\n";
    for (const auto& player : players) {
        reply += player + "\n";
    }
    return reply;
}

UdpServer::UdpServer(Behaviour behaviour, const char* address)
    : m_behaviour(std::move(behaviour)),
      m_socket(m_io, udp::endpoint(asio::ip::make_address(address), 0)),
      m_other(m_io, udp::endpoint(asio::ip::make_address(address), 0)) {
    receive();
    m_thread = std::thread([this] { m_io.run(); });
}

UdpServer::~UdpServer() {
    m_io.stop();
    m_thread.join();
}

void UdpServer::receive() {
    m_socket.async_receive_from(asio::buffer(m_request), m_from,
                                [this](std::error_code error, std::size_t) {
                                    if (!error) {
                                        ++m_requests;
                                        answer(m_from);
                                    }
                                    receive();
                                });
}

void UdpServer::answer(const udp::endpoint& to) {
    udp::socket& socket = m_behaviour.fromElsewhere ? m_other : m_socket;
    std::error_code ignored;
    for (const auto& reply : m_behaviour.replies) {
        socket.send_to(asio::buffer(reply), to, 0, ignored);
    }
    if (m_behaviour.endless) {
        asio::post(m_io, [this, to] { answer(to); });
    }
}

}  // namespace wyn::test
