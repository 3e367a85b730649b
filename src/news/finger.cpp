#include "news/finger.h"

#include <algorithm>
#include <array>

namespace wyn {

namespace {

// A looked-up address of all ones is no address, as inet_addr has it.
constexpr std::uint32_t kNoAddress = 0xFFFFFFFFu;

}  // namespace

std::string fingerWinsockErrorText(int number) {
    return "Winsock error no " + std::to_string(number);
}

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
    int error = 0;
    const auto connection = openFingerConnection(processEvents, error);
    if (!connection) {
        failWinsock(error);
    }
    const std::uint32_t address = resolveHost(*connection);
    const std::uint16_t port = resolvePort(*connection);
    connect(*connection, address, port);
    send(*connection);
    receive(*connection);
    check(connection->close());
}

std::uint32_t TFinger::resolveHost(FingerConnection& connection) {
    std::uint32_t address = 0;
    check(connection.lookUpHost(m_host, deadline(), address));
    if (address == kNoAddress) {
        fail(kFingerResolveFailed);
    }
    return address;
}

// A failed service lookup is no error: the port is then 79. A timed-out one
// still counts: the connection step fails with it.
std::uint16_t TFinger::resolvePort(FingerConnection& connection) {
    m_serviceTimedOut = false;
    if (m_port != 0) {
        return m_port;
    }
    std::uint16_t port = 0;
    const auto step = connection.lookUpService("finger", deadline(), port);
    m_serviceTimedOut = step.outcome == FingerStep::Outcome::TimedOut;
    return step.done() && port != 0 ? port : kFallbackPort;
}

void TFinger::connect(FingerConnection& connection, std::uint32_t address, std::uint16_t port) {
    if (m_serviceTimedOut) {
        fail(kFingerTimedOut);
    }
    check(connection.connect(address, port, deadline()));
}

void TFinger::send(FingerConnection& connection) {
    fire(m_onSending);
    check(connection.send(m_user + "\r\n", deadline()));
}

void TFinger::receive(FingerConnection& connection) {
    fire(m_onReceiving);
    check(connection.waitUntilReadable(deadline()));
    // One limit for the whole reply, so a server that trickles cannot hold the
    // query for ever.
    const FingerDeadline limit = deadline();
    std::array<char, 4096> buffer{};
    std::size_t received = 0;
    bool closed = false;
    while (!closed && received < kMaxReply) {
        const auto room = std::min(buffer.size(), kMaxReply - received);
        std::size_t count = 0;
        check(connection.read(std::span(buffer.data(), room), limit, count, closed));
        type(buffer.data(), count);
        received += count;
    }
    m_replyTruncated = !closed;
    if (closed) {
        fire(m_onClosed);
    }
}

FingerDeadline TFinger::deadline() const {
    if (m_timeOut <= 0) {
        return std::nullopt;
    }
    return std::chrono::steady_clock::now() + std::chrono::seconds(m_timeOut);
}

void TFinger::check(const FingerStep& step) {
    switch (step.outcome) {
        case FingerStep::Outcome::Done:
            return;
        case FingerStep::Outcome::TimedOut:
            fail(kFingerTimedOut);
        case FingerStep::Outcome::Failed:
            failWinsock(step.winsockError);
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
