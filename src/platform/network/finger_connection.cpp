// The finger query's connection on standalone Asio, the same on both systems;
// only the numbering of failures is each system's (winsock_errors_*.cpp).
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

#include <asio/executor_work_guard.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/address_v4.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/write.hpp>

#include "news/finger_connection.h"
#include "platform/network/winsock_errors.h"

namespace wyn {

namespace {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;

// How long one round of a wait may block before the caller's events run again.
constexpr auto kWaitSlice = std::chrono::milliseconds(10);

// A host or service lookup on a thread of its own. A lookup that has timed
// out is simply forgotten: the thread finishes by itself and frees the state.
struct Lookup {
    std::atomic<bool> done{false};
    int error = 0;
    std::uint32_t address = 0;  // host byte order
    std::uint16_t port = 0;
};

void runLookup(Lookup& lookup, const std::string& host, const std::string& service) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    const int status = ::getaddrinfo(host.empty() ? nullptr : host.c_str(),
                                     service.empty() ? nullptr : service.c_str(), &hints, &result);
    if (status != 0) {
        lookup.error = winsockLookupErrorNumber(status, errno);
        return;
    }
    lookup.error = winsockLookupErrorNumber(EAI_NONAME, 0);
    for (const addrinfo* entry = result; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addrlen >= sizeof(sockaddr_in)) {
            sockaddr_in address{};
            std::memcpy(&address, entry->ai_addr, sizeof address);
            lookup.address = ntohl(address.sin_addr.s_addr);
            lookup.port = ntohs(address.sin_port);
            lookup.error = 0;
            break;
        }
    }
    ::freeaddrinfo(result);
}

class AsioFingerConnection : public FingerConnection {
public:
    explicit AsioFingerConnection(ProcessEvents processEvents)
        : m_processEvents(std::move(processEvents)) {}

    FingerStep lookUpHost(const std::string& host, FingerDeadline deadline,
                          std::uint32_t& address) override {
        // A dotted address is used without a lookup.
        std::error_code error;
        if (const auto dotted = asio::ip::make_address_v4(host.c_str(), error); !error) {
            address = dotted.to_uint();
            return {};
        }
        const auto lookup = startLookup(host, {});
        if (!lookup.step.done()) {
            return lookup.step;
        }
        const auto step = waitForLookup(*lookup.state, deadline);
        address = lookup.state->address;
        return step;
    }

    FingerStep lookUpService(const std::string& service, FingerDeadline deadline,
                             std::uint16_t& port) override {
        const auto lookup = startLookup({}, service);
        if (!lookup.step.done()) {
            return lookup.step;
        }
        const auto step = waitForLookup(*lookup.state, deadline);
        port = lookup.state->port;
        return step;
    }

    FingerStep connect(std::uint32_t address, std::uint16_t port,
                       FingerDeadline deadline) override {
        std::error_code failure;
        m_socket.open(tcp::v4(), failure);
        if (failure) {
            return failed(failure);
        }
        bool connected = false;
        m_socket.async_connect(tcp::endpoint(asio::ip::address_v4(address), port),
                               [this, &connected](const std::error_code& result) {
                                   record(result);
                                   connected = !result;
                               });
        return wait(deadline, [&connected] { return connected; });
    }

    FingerStep send(std::string_view bytes, FingerDeadline deadline) override {
        bool sent = false;
        asio::async_write(m_socket, asio::buffer(bytes.data(), bytes.size()),
                          [this, &sent](const std::error_code& result, std::size_t) {
                              record(result);
                              sent = !result;
                          });
        return wait(deadline, [&sent] { return sent; });
    }

    FingerStep waitUntilReadable(FingerDeadline deadline) override {
        bool readable = false;
        m_socket.async_wait(tcp::socket::wait_read,
                            [this, &readable](const std::error_code& result) {
                                record(result);
                                readable = !result;
                            });
        return wait(deadline, [&readable] { return readable; });
    }

    FingerStep read(std::span<char> buffer, FingerDeadline deadline, std::size_t& count,
                    bool& closed) override {
        bool done = false;
        count = 0;
        m_socket.async_read_some(
            asio::buffer(buffer.data(), buffer.size()),
            [this, &done, &count, &closed](const std::error_code& result, std::size_t read) {
                done = true;
                count = read;
                if (result == asio::error::eof) {
                    closed = true;
                } else {
                    record(result);
                }
            });
        return wait(deadline, [&done] { return done; });
    }

    FingerStep close() override {
        std::error_code failure;
        m_socket.close(failure);
        return failure ? failed(failure) : FingerStep{};
    }

    ~AsioFingerConnection() override {
        // Pending operations are dropped without running.
        std::error_code ignored;
        m_socket.close(ignored);
    }

private:
    struct StartedLookup {
        std::shared_ptr<Lookup> state;
        FingerStep step;
    };

    static StartedLookup startLookup(std::string host, std::string service) {
        auto lookup = std::make_shared<Lookup>();
        try {
            std::thread([lookup, host = std::move(host), service = std::move(service)] {
                runLookup(*lookup, host, service);
                lookup->done.store(true, std::memory_order_release);
            }).detach();
        } catch (const std::system_error& failure) {
            return {lookup, failed(failure.code())};
        }
        return {lookup, {}};
    }

    FingerStep waitForLookup(const Lookup& lookup, FingerDeadline deadline) {
        const auto finished = [&lookup] { return lookup.done.load(std::memory_order_acquire); };
        const auto step = wait(deadline, finished);
        if (!step.done() || lookup.error == 0) {
            return step;
        }
        return {FingerStep::Outcome::Failed, lookup.error};
    }

    static FingerStep failed(const std::error_code& failure) {
        return {FingerStep::Outcome::Failed, winsockErrorNumber(failure)};
    }

    // Records a notified failure; a cancelled operation is none.
    void record(const std::error_code& failure) {
        if (failure && failure != asio::error::operation_aborted && !m_failure) {
            m_failure = failure;
        }
    }

    // Runs the connection's handlers, and the caller's events between them,
    // until the step is done, has failed or its deadline has passed.
    template <typename Done>
    FingerStep wait(FingerDeadline deadline, Done done) {
        m_io.restart();
        while (!done() && !m_failure) {
            if (deadline && Clock::now() >= *deadline) {
                return {FingerStep::Outcome::TimedOut, 0};
            }
            if (m_processEvents) {
                m_processEvents();
            }
            m_io.run_one_for(kWaitSlice);
        }
        return m_failure ? failed(std::exchange(m_failure, {})) : FingerStep{};
    }

    ProcessEvents m_processEvents;
    asio::io_context m_io;
    asio::executor_work_guard<asio::io_context::executor_type> m_work = asio::make_work_guard(m_io);
    tcp::socket m_socket{m_io};
    std::error_code m_failure;
};

}  // namespace

std::unique_ptr<FingerConnection> openFingerConnection(ProcessEvents processEvents,
                                                       int& winsockError) {
    try {
        return std::make_unique<AsioFingerConnection>(std::move(processEvents));
    } catch (const std::system_error& failure) {
        winsockError = winsockErrorNumber(failure.code());
        return nullptr;
    }
}

}  // namespace wyn
