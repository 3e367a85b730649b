#include "news/finger.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <system_error>
#include <thread>

#include <asio/executor_work_guard.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/address_v4.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/write.hpp>

#ifdef _WIN32
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

#include "news/winsock_errors.h"

namespace wyn {

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::tcp;

// How long one round of a wait may block before the caller's events run again.
constexpr auto kWaitSlice = std::chrono::milliseconds(10);

constexpr std::uint32_t kNoAddress = 0xFFFFFFFFu;

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

std::shared_ptr<Lookup> startLookup(std::string host, std::string service) {
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host = std::move(host), service = std::move(service)] {
        runLookup(*lookup, host, service);
        lookup->done.store(true, std::memory_order_release);
    }).detach();
    return lookup;
}

// A dotted IPv4 text is used without a lookup; like inet_addr, the all-ones
// address counts as no address.
std::optional<std::uint32_t> dottedAddress(const std::string& host) {
    std::error_code error;
    const auto address = asio::ip::make_address_v4(host.c_str(), error);
    if (error || address.to_uint() == kNoAddress) {
        return std::nullopt;
    }
    return address.to_uint();
}

}  // namespace

std::string fingerWinsockErrorText(int number) {
    return "Winsock error no " + std::to_string(number);
}

// The network state of one query; it lives as long as Execute. Destroying it
// closes the socket and drops any pending operation without running it.
struct TFinger::Exchange {
    explicit Exchange(const ProcessEvents& events) : processEvents(events) {}

    // Records a notified failure; a cancelled operation is none.
    void record(const std::error_code& failure) {
        if (failure && failure != asio::error::operation_aborted) {
            error = true;
            errorCode = winsockErrorNumber(failure);
        }
    }

    const ProcessEvents& processEvents;
    asio::io_context io;
    asio::executor_work_guard<asio::io_context::executor_type> work = asio::make_work_guard(io);
    tcp::socket socket{io};

    std::optional<Clock::time_point> deadline;
    bool timedOut = false;
    bool error = false;
    int errorCode = 0;

    bool connected = false;
    bool sent = false;
    bool readable = false;
    bool closed = false;
    bool readDone = false;
    std::size_t lastRead = 0;
    std::size_t received = 0;
    std::string request;
    std::array<char, 4096> buffer{};
};

void TFinger::setQuery(std::string_view query) {
    const auto at = query.find('@');
    if (at == std::string_view::npos) {
        fail(kFingerInvalidQuery);
    }
    m_query = std::string(query);
    m_user = std::string(query.substr(0, at));
    m_host = std::string(query.substr(at + 1));
}

void TFinger::Execute(const ProcessEvents& processEvents) {
    fire(m_onConnecting);
    m_replyTruncated = false;
    std::unique_ptr<Exchange> exchange;
    try {
        exchange = std::make_unique<Exchange>(processEvents);
    } catch (const std::system_error& failure) {
        failWinsock(winsockErrorNumber(failure.code()));
    }
    Exchange& x = *exchange;
    const Endpoint endpoint{resolveHost(x), resolvePort(x)};
    connect(x, endpoint);
    try {
        send(x);
        receive(x);
    } catch (...) {
        std::error_code ignored;
        x.socket.close(ignored);
        throw;
    }
    closeSocket(x);
}

std::uint32_t TFinger::resolveHost(Exchange& x) {
    if (const auto address = dottedAddress(m_host)) {
        return *address;
    }
    std::shared_ptr<Lookup> lookup;
    try {
        lookup = startLookup(m_host, {});
    } catch (const std::system_error& failure) {
        failWinsock(winsockErrorNumber(failure.code()));
    }
    arm(x);
    wait(x, StopOn::kNothing, [&lookup] { return lookup->done.load(std::memory_order_acquire); });
    if (!lookup->done.load(std::memory_order_acquire)) {
        fail(kFingerTimedOut);
    }
    if (lookup->error != 0) {
        failWinsock(lookup->error);
    }
    if (lookup->address == kNoAddress) {
        fail(kFingerResolveFailed);
    }
    return lookup->address;
}

// A failed or timed-out service lookup is no error: the port is then 79. The
// time-out still counts, so the connection step fails with it.
std::uint16_t TFinger::resolvePort(Exchange& x) {
    if (m_port != 0) {
        return m_port;
    }
    std::shared_ptr<Lookup> lookup;
    try {
        lookup = startLookup({}, "finger");
    } catch (const std::system_error&) {
        return kFallbackPort;
    }
    arm(x);
    wait(x, StopOn::kNothing, [&lookup] { return lookup->done.load(std::memory_order_acquire); });
    if (!lookup->done.load(std::memory_order_acquire) || lookup->error != 0 || lookup->port == 0) {
        return kFallbackPort;
    }
    return lookup->port;
}

void TFinger::connect(Exchange& x, const Endpoint& endpoint) {
    std::error_code failure;
    x.socket.open(tcp::v4(), failure);
    if (failure) {
        failWinsock(winsockErrorNumber(failure));
    }
    arm(x);
    x.socket.async_connect(tcp::endpoint(asio::ip::address_v4(endpoint.address), endpoint.port),
                           [&x](const std::error_code& result) {
                               x.record(result);
                               x.connected = !result;
                           });
    wait(x, StopOn::kError, [&x] { return x.connected; });
    failIfInterrupted(x);
}

void TFinger::send(Exchange& x) {
    fire(m_onSending);
    x.request = m_user + "\r\n";
    arm(x);
    asio::async_write(x.socket, asio::buffer(x.request),
                      [&x](const std::error_code& result, std::size_t) {
                          x.record(result);
                          x.sent = !result;
                      });
    wait(x, StopOn::kError, [&x] { return x.sent; });
    failIfInterrupted(x);
}

void TFinger::receive(Exchange& x) {
    fire(m_onReceiving);
    arm(x);
    x.socket.async_wait(tcp::socket::wait_read, [&x](const std::error_code& result) {
        x.record(result);
        x.readable = !result;
    });
    wait(x, StopOn::kError, [&x] { return x.readable; });
    failIfInterrupted(x);
    x.readable = false;

    // One limit for the whole reply, so a server that trickles cannot hold the
    // query for ever.
    arm(x);
    while (!x.closed && x.received < kMaxReply) {
        x.readDone = false;
        const auto room = std::min(x.buffer.size(), kMaxReply - x.received);
        x.socket.async_read_some(asio::buffer(x.buffer.data(), room),
                                 [&x](const std::error_code& result, std::size_t count) {
                                     x.readDone = true;
                                     x.lastRead = count;
                                     if (result == asio::error::eof) {
                                         x.closed = true;
                                     } else {
                                         x.record(result);
                                     }
                                 });
        wait(x, StopOn::kError, [&x] { return x.readDone; });
        failIfInterrupted(x);
        type(x.buffer.data(), x.lastRead);
        x.received += x.lastRead;
    }
    m_replyTruncated = !x.closed;
    if (x.closed) {
        fire(m_onClosed);
    }
}

void TFinger::closeSocket(Exchange& x) {
    std::error_code failure;
    x.socket.close(failure);
    if (failure) {
        failWinsock(winsockErrorNumber(failure));
    }
}

void TFinger::arm(Exchange& x) const {
    if (m_timeOut > 0) {
        x.deadline = Clock::now() + std::chrono::seconds(m_timeOut);
    } else {
        x.deadline.reset();
    }
}

void TFinger::wait(Exchange& x, StopOn stopOn, const std::function<bool()>& done) {
    while (!done() && !x.timedOut && !(stopOn == StopOn::kError && x.error)) {
        if (x.processEvents) {
            x.processEvents();
        }
        x.io.run_one_for(kWaitSlice);
        if (x.deadline && Clock::now() >= *x.deadline) {
            x.timedOut = true;
        }
    }
}

void TFinger::failIfInterrupted(const Exchange& x) {
    if (x.error) {
        failWinsock(x.errorCode);
    }
    if (x.timedOut) {
        fail(kFingerTimedOut);
    }
}

void TFinger::type(const char* bytes, std::size_t count) {
    if (m_terminal == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] != '\r') {
            m_terminal->push_back(bytes[i]);
        }
    }
}

void TFinger::fire(const Notify& handler) {
    if (handler) {
        handler(*this);
    }
}

void TFinger::fail(std::string_view text) {
    m_errorText = std::string(text);
    if (m_onError) {
        m_onError(*this, m_errorText);
    }
    throw EFingerError(m_errorText);
}

void TFinger::failWinsock(int number) {
    fail(fingerWinsockErrorText(number));
}

}  // namespace wyn
