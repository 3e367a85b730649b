#include <gtest/gtest.h>

#include "servers/friend_addresses.h"
#include "servers/server_address.h"

namespace wyn {
namespace {

struct AddressCase {
    const char* name;
    const char* typed;
    const char* shown;  // addressText, or the message that refuses it
};

const AddressCase kAddresses[] = {
    {"Name", "quake.example.org", "quake.example.org:27910"},
    {"NameAndPort", " q2-dm_1.lan:27911\t", "q2-dm_1.lan:27911"},
    {"Ipv4", "10.0.0.7", "10.0.0.7:27910"},
    {"Ipv6", "[2001:DB8:0:0:0:0:0:1]:27912", "[2001:db8::1]:27912"},
    {"Ipv6WithoutPort", "[::1]", "[::1]:27910"},
    {"BareIpv6", "fe80::1%eth0", "[fe80::1%eth0]:27910"},
    {"Ipv6LongestZeroRun", "[1:0:0:2:0:0:0:3]", "[1:0:0:2::3]:27910"},
    {"Empty", "  ", "Please enter a server address."},
    {"PortTooLarge", "[::1]:65536",
     "'[::1]:65536' is not a server address: the port must be a "
     "number from 1 to 65535."},
    {"SignedPort", "host:+80",
     "'host:+80' is not a server address: the port must be a number "
     "from 1 to 65535."},
    {"CommandInName", "host;quit",
     "'host;quit' is not a server address: a host name is made of "
     "letters, digits, '-' and '_' between dots."},
    {"BlankInName", "my server",
     "'my server' is not a server address: a host name is made of "
     "letters, digits, '-' and '_' between dots."},
    {"PlusInName", "a+connect",
     "'a+connect' is not a server address: a host name is made of "
     "letters, digits, '-' and '_' between dots."},
    {"LineBreak", "a\nb",
     "'a\\x0Ab' is not a server address: a host name is made of letters, "
     "digits, '-' and '_' between dots."},
    {"Ipv4OutOfRange", "10.0.0.256",
     "'10.0.0.256' is not a server address: give HOST, HOST:PORT "
     "or [IPv6]:PORT."},
    {"Ipv4LeadingZero", "10.0.0.01",
     "'10.0.0.01' is not a server address: give HOST, HOST:PORT "
     "or [IPv6]:PORT."},
    {"TwoGaps", "1::2::3",
     "'1::2::3' is not a server address: give HOST, HOST:PORT or "
     "[IPv6]:PORT."},
    {"ZoneWithBlank", "[fe80::1%a b]",
     "'[fe80::1%a b]' is not a server address: give HOST, "
     "HOST:PORT or [IPv6]:PORT."},
};

class Addresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(Addresses, AreCheckedBeforeAnythingIsSent) {
    const auto check = checkServerAddress(GetParam().typed);
    EXPECT_EQ(check.address ? addressText(*check.address) : check.problem, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Typed, Addresses, ::testing::ValuesIn(kAddresses),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FriendAddresses, PrivateThenPublicIpv4ThenGlobalIpv6EachWithThePort) {
    std::vector<IpAddress> interfaces;
    for (const char* text : {"127.0.0.1", "::1", "fe80::1%eth0", "2001:db8::7", "203.0.113.5",
                             "169.254.3.3", "192.168.1.20", "fd00::5", "0.0.0.0", "10.1.2.3",
                             "2001:db8::7%eth1", "224.0.0.1", "ff02::1", "100.64.0.1"}) {
        const auto address = parseIpv6(text) ? parseIpv6(text) : parseIpv4(text);
        ASSERT_TRUE(address) << text;
        interfaces.push_back(*address);
    }
    EXPECT_EQ(friendAddresses(interfaces, 27911),
              (std::vector<std::string>{"192.168.1.20:27911", "10.1.2.3:27911", "203.0.113.5:27911",
                                        "100.64.0.1:27911", "[2001:db8::7]:27911"}));
    EXPECT_TRUE(friendAddresses({}, 27910).empty());
}

}  // namespace
}  // namespace wyn
