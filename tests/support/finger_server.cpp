#include "finger_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace wyn::test {

namespace {

using Clock = std::chrono::steady_clock;

// No test waits anywhere near this long; it only stops a server that is left alone.
constexpr auto kServerLimit = std::chrono::seconds(5);
// Bounds the endless reply even if the client were never to stop reading.
constexpr std::size_t kEndlessLimit = 16u * 1024u * 1024u;

bool waitReadable(int socket, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd entry{socket, POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A socket bound to an ephemeral loopback port, and the port.
int boundSocket(std::uint16_t& port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (socket < 0 || ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot bind a loopback socket");
    }
    port = ntohs(address.sin_port);
    return socket;
}

}  // namespace

std::string FingerServer::Connection::readRequest() {
    const auto deadline = Clock::now() + kServerLimit;
    std::string request;
    char buffer[256];
    while (request.find("\r\n") == std::string::npos && waitReadable(m_socket, deadline)) {
        const auto count = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (count <= 0) {
            break;
        }
        request.append(buffer, static_cast<std::size_t>(count));
    }
    return request;
}

bool FingerServer::Connection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto count = ::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (count <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

void FingerServer::Connection::waitForClose() {
    const auto deadline = Clock::now() + kServerLimit;
    char buffer[256];
    while (waitReadable(m_socket, deadline) && ::recv(m_socket, buffer, sizeof buffer, 0) > 0) {
    }
}

FingerServer::FingerServer(Behaviour behaviour) {
    m_listener = boundSocket(m_port);
    if (::listen(m_listener, 1) != 0) {
        ::close(m_listener);
        throw std::runtime_error("cannot listen on a loopback socket");
    }
    m_thread = std::thread([this, behaviour = std::move(behaviour)] { serve(behaviour); });
}

FingerServer::~FingerServer() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    ::close(m_listener);
}

std::string FingerServer::request() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_request;
}

void FingerServer::serve(const Behaviour& behaviour) {
    if (!waitReadable(m_listener, Clock::now() + kServerLimit)) {
        return;
    }
    const int client = ::accept(m_listener, nullptr, nullptr);
    if (client < 0) {
        return;
    }
    Connection connection(client);
    m_request = connection.readRequest();
    behaviour(connection);
    ::close(client);
}

FingerServer::Behaviour FingerServer::replying(std::string reply) {
    return [reply = std::move(reply)](Connection& connection) { connection.send(reply); };
}

FingerServer::Behaviour FingerServer::replyingAfter(std::chrono::milliseconds delay,
                                                    std::string reply) {
    return [delay, reply = std::move(reply)](Connection& connection) {
        std::this_thread::sleep_for(delay);
        connection.send(reply);
    };
}

FingerServer::Behaviour FingerServer::silent() {
    return [](Connection& connection) { connection.waitForClose(); };
}

FingerServer::Behaviour FingerServer::stallingAfter(std::string partialReply) {
    return [partialReply = std::move(partialReply)](Connection& connection) {
        connection.send(partialReply);
        connection.waitForClose();
    };
}

FingerServer::Behaviour FingerServer::endless() {
    return [](Connection& connection) {
        const std::string chunk(4096, 'x');
        for (std::size_t sent = 0; sent < kEndlessLimit && connection.send(chunk);
             sent += chunk.size()) {
        }
    };
}

std::uint16_t refusedPort() {
    std::uint16_t port = 0;
    ::close(boundSocket(port));
    return port;
}

std::string fingerReply(std::initializer_list<std::string_view> lines) {
    std::string reply;
    for (const auto line : lines) {
        reply += line;
        reply += "\r\n";
    }
    return reply;
}

}  // namespace wyn::test
