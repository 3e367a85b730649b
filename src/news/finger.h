#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "news/finger_connection.h"

namespace wyn {

// A failed finger query; what() is the text the user sees.
class EFingerError : public WynError {
public:
    using WynError::WynError;
};

// Error texts of a query.
inline constexpr std::string_view kFingerInvalidQuery =
    "Invalid query string format.\r\nValid format is user@domain";
inline constexpr std::string_view kFingerTimedOut = "Operation timed out";
inline constexpr std::string_view kFingerResolveFailed = "Error resolving remote host";
// "Winsock error no " followed by the WinSock number.
std::string fingerWinsockErrorText(int number);

// One query of the finger protocol (RFC 1288): resolve the host, find the port
// of the "finger" service, connect, send the user part and CR LF, and collect
// the reply until the server closes. Synchronous for the caller; every wait
// runs the caller's event processing. One query at a time per object.
class TFinger {
public:
    using Notify = std::function<void(TFinger& sender)>;
    // The handler may replace the message before it is raised.
    using ErrorEvent = std::function<void(TFinger& sender, std::string& message)>;

    static constexpr int kDefaultTimeOut = 60;
    static constexpr std::uint16_t kFallbackPort = 79;
    // A finger reply is a short text; a server that sends without end is cut
    // off here and the query ends with what arrived.
    static constexpr std::size_t kMaxReply = 64u * 1024u;

    TFinger() = default;
    TFinger(const TFinger&) = delete;
    TFinger& operator=(const TFinger&) = delete;

    // Receives the reply with CR dropped, appended to what it holds. May be null.
    std::string* terminal() const { return m_terminal; }
    void setTerminal(std::string* terminal) { m_terminal = terminal; }

    // Seconds for each wait; 0 or less never times out.
    int timeOut() const { return m_timeOut; }
    void setTimeOut(int seconds) { m_timeOut = seconds; }

    // "user@host", split at the first "@": the user part may be empty, the host
    // part keeps any further "@". A text without "@" fails.
    const std::string& query() const { return m_query; }
    void setQuery(std::string_view query);
    const std::string& user() const { return m_user; }
    const std::string& host() const { return m_host; }

    // 0 (the default) looks up the "finger" service; another value is used as is.
    std::uint16_t port() const { return m_port; }
    void setPort(std::uint16_t port) { m_port = port; }

    void setOnConnecting(Notify handler) { m_onConnecting = std::move(handler); }
    void setOnSending(Notify handler) { m_onSending = std::move(handler); }
    void setOnReceiving(Notify handler) { m_onReceiving = std::move(handler); }
    void setOnClosed(Notify handler) { m_onClosed = std::move(handler); }
    void setOnError(ErrorEvent handler) { m_onError = std::move(handler); }

    // The text of the last failure.
    const std::string& errorText() const { return m_errorText; }
    // Whether the last reply was cut off at kMaxReply.
    bool replyTruncated() const { return m_replyTruncated; }

    // Runs one query; returns when the server has closed the connection after
    // its reply (or the reply reached kMaxReply). Throws EFingerError.
    void Execute(const ProcessEvents& processEvents = {});

private:
    // The steps of a query over the system's connection (finger_connection.h).
    std::uint32_t resolveHost(FingerConnection& connection);
    std::uint16_t resolvePort(FingerConnection& connection);
    void connect(FingerConnection& connection, std::uint32_t address, std::uint16_t port);
    void send(FingerConnection& connection);
    void receive(FingerConnection& connection);

    // When a step begun now gives up: the time-out from now, or never.
    FingerDeadline deadline() const;
    // A step that timed out or failed fails the query with its text.
    void check(const FingerStep& step);
    void type(const char* bytes, std::size_t count);
    void fire(const Notify& handler);

    [[noreturn]] void fail(std::string_view text);
    [[noreturn]] void failWinsock(int number);

    std::string* m_terminal = nullptr;
    int m_timeOut = kDefaultTimeOut;
    std::string m_query;
    std::string m_user;
    std::string m_host;
    std::uint16_t m_port = 0;
    Notify m_onConnecting;
    Notify m_onSending;
    Notify m_onReceiving;
    Notify m_onClosed;
    ErrorEvent m_onError;
    std::string m_errorText;
    bool m_replyTruncated = false;
    bool m_serviceTimedOut = false;
};

}  // namespace wyn
