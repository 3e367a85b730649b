#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace wyn::test {

// A finger server on 127.0.0.1 and an ephemeral port that serves one
// connection on a thread of its own. Every wait is bounded, so it stops by
// itself even when the client never comes or never closes.
class FingerServer {
public:
    class Connection {
    public:
        explicit Connection(int socket) : m_socket(socket) {}
        // Reads up to the first CR LF, or until the client closes.
        std::string readRequest();
        // False when the client is gone.
        bool send(std::string_view bytes);
        // Reads and drops everything until the client closes.
        void waitForClose();

    private:
        int m_socket;
    };

    using Behaviour = std::function<void(Connection&)>;

    explicit FingerServer(Behaviour behaviour);
    ~FingerServer();
    FingerServer(const FingerServer&) = delete;
    FingerServer& operator=(const FingerServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // What the client sent; waits for the server to finish.
    std::string request();

    // Behaviours: read the request, then ...
    static Behaviour replying(std::string reply);  // ... answer and close
    static Behaviour replyingAfter(std::chrono::milliseconds delay, std::string reply);
    static Behaviour silent();                                 // ... say nothing
    static Behaviour stallingAfter(std::string partialReply);  // ... send part, then nothing
    static Behaviour endless();                                // ... send without end

private:
    void serve(const Behaviour& behaviour);

    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::string m_request;
    std::thread m_thread;
};

// A loopback port on which nobody listens.
std::uint16_t refusedPort();

// A finger reply: each line followed by CR LF.
std::string fingerReply(std::initializer_list<std::string_view> lines);

}  // namespace wyn::test
