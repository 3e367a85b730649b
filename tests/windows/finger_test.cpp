// The finger query over WinSock 2: a reply from a local server, and a refused
// connection reported with WinSock's own number.
#include <gtest/gtest.h>

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/read_until.hpp>
#include <asio/streambuf.hpp>
#include <asio/write.hpp>

#include <thread>

#include "news/finger.h"

namespace wyn::test {
namespace {

using asio::ip::tcp;

std::string query(std::uint16_t port, std::string* reply) {
    TFinger finger;
    finger.setQuery("news@127.0.0.1");
    finger.setPort(port);
    finger.setTimeOut(5);
    finger.setTerminal(reply);
    try {
        finger.Execute();
        return {};
    } catch (const EFingerError& error) {
        return error.what();
    }
}

TEST(WinsockFinger, ReadsALocalServersReplyAndNamesARefusal) {
    asio::io_context context;
    tcp::acceptor acceptor(context, tcp::endpoint(asio::ip::address_v4::loopback(), 0));
    const auto port = acceptor.local_endpoint().port();
    std::string asked;
    std::thread server([&] {
        tcp::socket socket(context);
        acceptor.accept(socket);
        asio::streambuf line;
        asio::read_until(socket, line, "\r\n");
        asked.assign(asio::buffers_begin(line.data()), asio::buffers_end(line.data()));
        asio::write(socket, asio::buffer(std::string("WYN 3.5\r\nNews: none\r\n")));
    });
    std::string reply;
    EXPECT_EQ(query(port, &reply), "");
    server.join();
    EXPECT_EQ(asked, "news\r\n");
    EXPECT_EQ(reply, "WYN 3.5\nNews: none\n");

    acceptor.close();
    EXPECT_EQ(query(port, &reply), "Winsock error no 10061");
}

}  // namespace
}  // namespace wyn::test
