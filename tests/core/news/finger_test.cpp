#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include <netdb.h>

#include "finger_server.h"
#include "news/finger.h"
#include "platform/network/winsock_errors.h"

namespace wyn {
namespace {

using test::FingerServer;

// A client for one loopback server, with a short time-out and a record of
// its events.
struct Client {
    explicit Client(std::uint16_t port, std::string_view query = "news@127.0.0.1") {
        finger.setQuery(query);
        finger.setPort(port);
        finger.setTimeOut(1);
        finger.setTerminal(&terminal);
        finger.setOnConnecting([this](TFinger&) { events.push_back("connecting"); });
        finger.setOnSending([this](TFinger&) { events.push_back("sending"); });
        finger.setOnReceiving([this](TFinger&) { events.push_back("receiving"); });
        finger.setOnClosed([this](TFinger&) { events.push_back("closed"); });
        finger.setOnError(
            [this](TFinger&, std::string& text) { events.push_back("error " + text); });
    }

    // Runs the query; the error text, or "" when it succeeded.
    std::string execute() {
        try {
            finger.Execute([this] { ++eventRounds; });
            return {};
        } catch (const EFingerError& error) {
            return error.what();
        }
    }

    TFinger finger;
    std::string terminal;
    std::vector<std::string> events;
    int eventRounds = 0;
};

TEST(FingerQuery, SplitsAtTheFirstAtSign) {
    struct Case {
        const char* query;
        const char* user;
        const char* host;
    };
    for (const auto& c :
         {Case{"news@example.org", "news", "example.org"}, Case{"@10.0.0.1", "", "10.0.0.1"},
          Case{"a@b@c", "a", "b@c"}, Case{"user@", "user", ""}}) {
        TFinger finger;
        finger.setQuery(c.query);
        EXPECT_EQ(finger.user(), c.user) << c.query;
        EXPECT_EQ(finger.host(), c.host) << c.query;
    }
}

TEST(FingerQuery, WithoutAtSignFailsThroughOnErrorAndKeepsTheOldParts) {
    TFinger finger;
    finger.setQuery("news@host");
    std::string seen;
    finger.setOnError([&seen](TFinger&, std::string& text) { seen = text; });
    EXPECT_THROW(finger.setQuery("newshost"), EFingerError);
    EXPECT_EQ(seen, "Invalid query string format.\r\nValid format is user@domain");
    EXPECT_EQ(finger.query(), "news@host");
    EXPECT_EQ(finger.user(), "news");
    EXPECT_EQ(finger.host(), "host");

    finger.setOnError([](TFinger&, std::string& text) { text = "replaced"; });
    try {
        finger.setQuery("");
        FAIL();
    } catch (const EFingerError& error) {
        EXPECT_STREQ(error.what(), "replaced");
        EXPECT_EQ(finger.errorText(), "replaced");
    }
}

TEST(FingerExecute, ReceivesTheReplyWithoutCarriageReturns) {
    FingerServer server(FingerServer::replying("line one\r\nPlan:\r\nline three\r\n"));
    Client client(server.port());
    EXPECT_EQ(client.execute(), "");
    EXPECT_EQ(server.request(), "news\r\n");
    EXPECT_EQ(client.terminal, "line one\nPlan:\nline three\n");
    EXPECT_EQ(client.events,
              (std::vector<std::string>{"connecting", "sending", "receiving", "closed"}));
    EXPECT_GT(client.eventRounds, 0);  // the caller's events ran while it waited
    EXPECT_FALSE(client.finger.replyTruncated());
}

TEST(FingerExecute, ReplyEndsAsTheServerSentIt) {
    struct Case {
        const char* query;
        const char* reply;
        const char* request;
        const char* terminal;
    };
    for (const auto& c : {
             Case{"@127.0.0.1", "users\r\n", "\r\n", "users\n"},  // empty user: only CR LF
             Case{"news@127.0.0.1", "a\r\nlast", "news\r\n", "a\nlast"},
             Case{"news@127.0.0.1", "", "news\r\n", ""},  // closes without a reply
             Case{"news@localhost", "by name\n", "news\r\n", "by name\n"},
         }) {
        FingerServer server(FingerServer::replying(c.reply));
        Client client(server.port(), c.query);
        EXPECT_EQ(client.execute(), "") << c.query;
        EXPECT_EQ(server.request(), c.request);
        EXPECT_EQ(client.terminal, c.terminal);
        EXPECT_EQ(client.events.back(), "closed");
    }
}

TEST(FingerExecute, RunsWithoutTerminal) {
    FingerServer server(FingerServer::replying("ignored\r\n"));
    Client client(server.port());
    client.finger.setTerminal(nullptr);
    EXPECT_EQ(client.execute(), "");
    EXPECT_EQ(client.terminal, "");
}

TEST(FingerExecute, RefusedConnectionFailsAtOnceWithItsWinsockNumber) {
    Client client(test::refusedPort());
    EXPECT_EQ(client.execute(), "Winsock error no 10061");
    EXPECT_EQ(client.events,
              (std::vector<std::string>{"connecting", "error Winsock error no 10061"}));
    EXPECT_EQ(client.finger.errorText(), "Winsock error no 10061");
}

TEST(FingerExecute, SilentServerTimesOut) {
    FingerServer server(FingerServer::silent());
    Client client(server.port());
    EXPECT_EQ(client.execute(), "Operation timed out");
    EXPECT_EQ(client.events.back(), "error Operation timed out");
    EXPECT_GT(client.eventRounds, 0);
}

TEST(FingerExecute, StalledReplyTimesOutKeepingWhatArrived) {
    FingerServer server(FingerServer::stallingAfter("first\r\nsec"));
    Client client(server.port());
    EXPECT_EQ(client.execute(), "Operation timed out");
    EXPECT_EQ(client.terminal, "first\nsec");
}

TEST(FingerExecute, EndlessReplyIsCutOffAtTheLimit) {
    FingerServer server(FingerServer::endless());
    Client client(server.port());
    EXPECT_EQ(client.execute(), "");
    EXPECT_EQ(client.terminal, std::string(TFinger::kMaxReply, 'x'));
    EXPECT_TRUE(client.finger.replyTruncated());
    EXPECT_EQ(client.events.back(), "receiving");  // the server never closed
}

TEST(FingerExecute, TimeOutZeroNeverExpires) {
    FingerServer server(FingerServer::replyingAfter(std::chrono::milliseconds(300), "late\r\n"));
    Client client(server.port());
    client.finger.setTimeOut(0);
    EXPECT_EQ(client.execute(), "");
    EXPECT_EQ(client.terminal, "late\n");
}

TEST(FingerExecute, SameQueryRunsAgain) {
    Client client(0);
    for (const char* reply : {"one\r\n", "two\r\n"}) {
        FingerServer server(FingerServer::replying(reply));
        client.finger.setPort(server.port());
        EXPECT_EQ(client.execute(), "");
        EXPECT_EQ(server.request(), "news\r\n");
    }
    EXPECT_EQ(client.terminal, "one\ntwo\n");
}

TEST(WinsockErrors, SocketFailuresReadAsOnWindows) {
    struct Case {
        int errnoValue;
        int winsock;
    };
    for (const auto& c :
         {Case{ECONNREFUSED, 10061}, Case{ETIMEDOUT, 10060}, Case{ECONNRESET, 10054},
          Case{ENETUNREACH, 10051}, Case{EHOSTUNREACH, 10065}, Case{EADDRINUSE, 10048},
          Case{EWOULDBLOCK, 10035}, Case{ECONNABORTED, 10053},
          Case{ENOENT, kWinsockSystemCallFailure}}) {
        EXPECT_EQ(winsockErrorNumber(std::error_code(c.errnoValue, std::system_category())),
                  c.winsock)
            << c.errnoValue;
    }
    EXPECT_EQ(winsockErrorNumber(std::make_error_code(std::errc::connection_refused)), 10061);
    EXPECT_EQ(winsockErrorNumber(std::make_error_code(std::io_errc::stream)),
              kWinsockSystemCallFailure);
}

TEST(WinsockErrors, LookupFailuresReadAsOnWindows) {
    EXPECT_EQ(winsockLookupErrorNumber(EAI_NONAME, 0), 11001);
    EXPECT_EQ(winsockLookupErrorNumber(EAI_AGAIN, 0), 11002);
    EXPECT_EQ(winsockLookupErrorNumber(EAI_FAIL, 0), 11003);
    EXPECT_EQ(winsockLookupErrorNumber(EAI_SYSTEM, ENETUNREACH), 10051);
}

}  // namespace
}  // namespace wyn
