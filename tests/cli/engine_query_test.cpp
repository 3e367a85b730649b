// wynctl's server commands against the real engines: a dedicated server that
// wynctl launch --wait started answers wynctl status and servers, and from
// another network namespace a search of the local network finds it. Each test
// runs in a network namespace of its own where it can make one, so no server
// of the machine is ever asked; the local network is a veth pair of the
// project's own test addresses, 10.254.0.1 and 10.254.0.2.
#include <gtest/gtest.h>

#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "engine_preset.h"
#include "shell_run.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kEngines = WYN_TEST_ENGINES;
const std::string kWynctl = WYNCTL_PATH;

struct Engine {
    const char* name;
    const char* program;  // below kEngines
    const char* library;  // its game library, below kEngines
};

const Engine kEnginesTried[] = {
    {"Q2proPortable", "q2pro-portable/q2proded", "q2pro-portable/gamex86_64.so"},
    {"Yamagi", "yquake2/q2ded", "yquake2/baseq2/game.so"},
};

// Whether the test now runs in a network namespace of its own, with its
// loopback up.
bool ownNetwork() {
    static const bool own =
        ::unshare(CLONE_NEWNET) == 0 && test::runShell("ip link set lo up").second == 0;
    return own;
}

class EngineQuery : public ::testing::TestWithParam<Engine> {
protected:
    test::TempDir temp;
    std::string game = temp.mkdir("game");
    std::string home = temp.mkdir("home/.yq2");
    FILE* m_server = nullptr;

    void SetUp() override {
        ownNetwork();
        const auto library = fs::path(GetParam().library).filename().string();
        temp.mkdir("game/baseq2/maps");
        temp.mkdir("game/vantor");
        fs::copy_file(kEngines + "/" + GetParam().library, game + "/baseq2/" + library);
        fs::copy_file(kEngines + "/" + GetParam().library, game + "/vantor/" + library);
        temp.write("game/vantor/bots.cfg", "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n");
        // A map the engines load: a map server answers once it runs one.
        ASSERT_EQ(
            test::runShell("python3 '" WYN_TINY_MAP "' > '" + game + "/baseq2/maps/q2dm1.bsp'")
                .second,
            0);
    }

    void TearDown() override { stopServer(); }

    std::string wynctl(const std::string& arguments) const {
        return "env -i PATH=/usr/bin:/bin HOME='" + temp / "home" + "' timeout 120 " + kWynctl +
               " --settings '" + temp / "home/s.ini" + "' --game-dir '" + game + "' --exe '" +
               kEngines + "/" + GetParam().program + "' " + arguments;
    }

    // The server of the engine preset, its console held open, until it answers.
    void startServer() {
        const std::string log = temp / "server.log";
        m_server = ::popen((wynctl("launch --wait '" + test::writeEnginePreset(temp) + "'") +
                            " >'" + log + "' 2>&1")
                               .c_str(),
                           "w");
        ASSERT_NE(m_server, nullptr);
        for (int i = 0; i < 100; ++i) {
            if (test::runShell(kWynctl + " status --timeout 0.2 127.0.0.1").second == 0) {
                return;
            }
        }
        FAIL() << "The server did not answer:\n" << temp.read("server.log");
    }

    void stopServer() {
        if (m_server != nullptr) {
            std::fputs("quit\n", m_server);
            EXPECT_EQ(::pclose(m_server), 0) << temp.read("server.log");
            m_server = nullptr;
        }
    }
};

TEST_P(EngineQuery, StatusAndServersShowTheServerWynctlStarted) {
    startServer();
    const auto [status, code] = test::runShell(kWynctl + " status 127.0.0.1");
    EXPECT_EQ(code, 0) << status;
    for (const char* rule : {"\nmapname\tq2dm1\n", "\nmaxclients\t8\n", "hostname\tnoname\n",
                             "\ngame\tvantor\n", "\nfraglimit\t20\n"}) {
        EXPECT_NE(status.find(rule), std::string::npos) << rule << " in\n" << status;
    }
    EXPECT_TRUE(status.ends_with("\nplayers\t0\n")) << status;

    const auto [servers, serversCode] =
        test::runShell(kWynctl + " servers 127.0.0.1:27910 127.0.0.1:27913");
    EXPECT_EQ(serversCode, 0);
    EXPECT_TRUE(servers.starts_with("127.0.0.1:27910\t")) << servers;
    EXPECT_TRUE(servers.ends_with("\tq2dm1\t0/8\tnoname\n")) << servers;
    EXPECT_EQ(std::ranges::count(servers, '\n'), 1) << servers;

    // A port nobody answers on ends with its time-out.
    const auto start = Clock::now();
    EXPECT_EQ(test::runShell(kWynctl + " status --timeout 1 127.0.0.1:27913"),
              (std::pair<std::string, int>{"No answer from 127.0.0.1:27913.\n", 1}));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    stopServer();

    // The engine is a dedicated server: it has no client to join with.
    const auto [join, joinCode] = test::runShell(wynctl("join --dry-run 127.0.0.1"));
    EXPECT_EQ(joinCode, 1);
    EXPECT_EQ(join, "'" + fs::path(GetParam().program).filename().string() +
                        "' is a dedicated server: it cannot join a game. Please choose the "
                        "game's own program as the executable.\n");
}

TEST_P(EngineQuery, TheLocalNetworkSearchFindsItFromAnotherNamespace) {
    if (!ownNetwork()) {
        GTEST_SKIP() << "No network namespace can be made here: the search of a local "
                        "network needs two of the test's own.";
    }
    // This namespace is the server's; a second one, held by a sleeping
    // process, is the searching computer, joined to it by a veth pair.
    const auto [pid, setupCode] = test::runShell(
        "set -e; unshare -n sleep 120 >/dev/null 2>&1 & pid=$!; "
        "while [ \"$(readlink /proc/$pid/ns/net)\" = \"$(readlink /proc/$$/ns/net)\" ]; do "
        "sleep 0.01; done; "
        "ip link add wyn-a type veth peer name wyn-b; ip link set wyn-b netns $pid; "
        "ip addr add 10.254.0.1/24 brd + dev wyn-a; ip link set wyn-a up; "
        "nsenter -t $pid -n sh -c 'ip addr add 10.254.0.2/24 brd + dev wyn-b && "
        "ip link set wyn-b up && ip link set lo up'; echo $pid");
    ASSERT_EQ(setupCode, 0) << pid;
    const std::string other = "nsenter -t " + pid.substr(0, pid.find('\n')) + " -n ";
    startServer();

    const auto [found, code] = test::runShell(other + kWynctl + " servers --lan --timeout 2");
    test::runShell("kill " + pid.substr(0, pid.find('\n')));
    EXPECT_EQ(code, 0) << found;
    EXPECT_TRUE(found.starts_with("10.254.0.1:27910\t")) << found;
    EXPECT_TRUE(found.ends_with("\tq2dm1\t0/8\tnoname\n")) << found;
    EXPECT_EQ(std::ranges::count(found, '\n'), 1) << found;
}

INSTANTIATE_TEST_SUITE_P(Engines, EngineQuery, ::testing::ValuesIn(kEnginesTried),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wyn
