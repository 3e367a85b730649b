// The server query over WinSock: wynctl status of a small UDP server on
// 127.0.0.1, and of a port nobody listens on, which WinSock reports as a
// failure of the next receive; and the network interfaces as the system lists
// them.
#include <gtest/gtest.h>

#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>

#include <sstream>
#include <thread>

#include "app/ctl_servers.h"
#include "base/value_store.h"

namespace wyn::test {
namespace {

using asio::ip::udp;
using namespace std::string_literals;

struct Run {
    int code;
    std::string out;
    std::string err;
};

Run status(const std::string& address) {
    MemoryValueStore store;
    std::ostringstream out, err;
    CtlContext context{"", "", PlatformProfile::native(), store, out, err};
    const int code = ctlStatus(context, {"--timeout", "2", address});
    return {code, out.str(), err.str()};
}

TEST(WinsockServers, StatusOfALocalServerAndOfAClosedPort) {
    asio::io_context io;
    udp::socket server(io, udp::endpoint(asio::ip::address_v4::loopback(), 0));
    const auto address = "127.0.0.1:" + std::to_string(server.local_endpoint().port());
    std::thread answering([&server] {
        std::array<char, 64> request{};
        udp::endpoint from;
        server.receive_from(asio::buffer(request), from);
        server.send_to(asio::buffer("\xff\xff\xff\xffprint\n\\hostname\\WYN test\\mapname\\tiny\n"
                                    "3 40 \"J\xf6rg\"\n"s),
                       from);
    });
    const auto answered = status(address);
    answering.join();
    EXPECT_EQ(answered.code, 0) << answered.err;
    EXPECT_EQ(answered.out, "hostname\tWYN test\nmapname\ttiny\nplayers\t1\n3\t40\tJvrg\n");

    server.close();
    const auto closed = status(address);
    EXPECT_EQ(closed.code, 1);
    EXPECT_EQ(closed.err, "No answer from " + address + ".\n");
}

TEST(WinsockServers, TheInterfacesAreListed) {
    const auto interfaces = interfaceAddresses();
    ASSERT_FALSE(interfaces.empty());
    for (const auto& entry : interfaces) {
        EXPECT_FALSE(entry.interface.empty());
        if (entry.broadcast) {
            EXPECT_TRUE(entry.address.isV4() && entry.broadcast->isV4()) << entry.interface;
            EXPECT_TRUE(sameNetworkV4(entry.address, *entry.broadcast, entry.prefixLength));
        }
    }
}

}  // namespace
}  // namespace wyn::test
