#include "platform/network/server_query.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <system_error>
#include <thread>

#include <asio/executor_work_guard.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>
#include <asio/ip/v6_only.hpp>

#include "platform/network/interfaces.h"
#include "platform/network/socket_address.h"

namespace wyn {

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::udp;

// How long one round of the wait may block before the time-out, the lookups
// and a cancel are looked at again.
constexpr auto kSlice = std::chrono::milliseconds(10);
// Host names looked up at once, and the addresses of one name tried.
constexpr std::size_t kLookupThreads = 8;
constexpr std::size_t kAddressesPerName = 4;
// Receive failures in a row after which a socket is given up: WinSock reports
// a port nobody listens on as a failure of the next receive, so a failure is
// no reason to stop; a socket that fails for ever is.
constexpr int kMaxReceiveFailures = 64;

std::optional<udp::endpoint> endpointOf(const IpAddress& address, std::uint16_t port) {
    std::error_code error;
    const auto system = asio::ip::make_address(ipText(address), error);
    if (error) {
        return std::nullopt;
    }
    return udp::endpoint(system, port);
}

// Host names looked up on threads of their own, which the query abandons at
// its end: a lookup that hangs never holds it.
struct Lookups {
    struct Found {
        std::size_t group;
        std::vector<udp::endpoint> endpoints;
        std::string problem;
    };

    std::mutex mutex;
    std::deque<std::pair<std::size_t, ServerAddress>> waiting;
    std::vector<Found> found;
    bool abandoned = false;
};

Lookups::Found lookUp(udp::resolver& resolver, std::size_t group, const ServerAddress& address) {
    Lookups::Found found{group, {}, {}};
    std::error_code error;
    const auto results = resolver.resolve(address.host, std::to_string(address.port),
                                          udp::resolver::numeric_service, error);
    if (error) {
        found.problem = "Cannot find the server " + address.host + ": " + error.message() + ".";
        return found;
    }
    for (const auto& entry : results) {
        if (found.endpoints.size() < kAddressesPerName &&
            std::ranges::find(found.endpoints, entry.endpoint()) == found.endpoints.end()) {
            found.endpoints.push_back(entry.endpoint());
        }
    }
    if (found.endpoints.empty()) {
        found.problem = "Cannot find the server " + address.host + ".";
    }
    return found;
}

void runLookups(const std::shared_ptr<Lookups>& lookups) {
    asio::io_context io;
    udp::resolver resolver(io);
    while (true) {
        std::pair<std::size_t, ServerAddress> next;
        {
            const std::lock_guard lock(lookups->mutex);
            if (lookups->abandoned || lookups->waiting.empty()) {
                return;
            }
            next = std::move(lookups->waiting.front());
            lookups->waiting.pop_front();
        }
        auto found = lookUp(resolver, next.first, next.second);
        const std::lock_guard lock(lookups->mutex);
        lookups->found.push_back(std::move(found));
    }
}

// One query: its sockets, what it asked and what came back. Everything runs
// on the thread that calls run().
class Exchange {
public:
    Exchange(const QueryRequest& request, const std::atomic<bool>* stop)
        : m_request(request), m_stop(stop) {}
    ~Exchange() { abandonLookups(); }
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    QueryResult run();

private:
    // A server asked: the address it was asked by, the requests not yet
    // answered or failed (a name's lookup counts as one), and how it went.
    struct Group {
        ServerAddress address;
        std::size_t open = 0;
        bool answered = false;
        bool malformed = false;
    };
    struct Target {
        std::size_t group;
        udp::endpoint endpoint;
        Clock::time_point sent;
    };
    struct Receiver {
        explicit Receiver(asio::io_context& io) : socket(io), buffer(kMaxReply) {}
        udp::socket socket;
        std::vector<char> buffer;
        udp::endpoint from;
        int failures = 0;
    };
    struct Network {
        IpAddress address;
        int prefixLength;
    };

    std::size_t addGroup(const ServerAddress& address);
    void ask(std::size_t group, const udp::endpoint& endpoint);
    void closeRequest(std::size_t group);
    void startLookups(std::vector<std::pair<std::size_t, ServerAddress>> names);
    void collectLookups();
    void abandonLookups();
    void searchLocalNetworks();
    Receiver* receiverFor(bool v6);
    void receive(Receiver& receiver);
    void take(std::string_view datagram, const udp::endpoint& from);
    bool fromSearchedNetwork(const udp::endpoint& from) const;
    bool settled() const;

    const QueryRequest& m_request;
    const std::atomic<bool>* m_stop;
    // Before the sockets: they go first.
    asio::io_context m_io;
    asio::executor_work_guard<asio::io_context::executor_type> m_work = asio::make_work_guard(m_io);
    std::optional<Receiver> m_v4;
    std::optional<Receiver> m_v6;
    bool m_v4Failed = false;
    bool m_v6Failed = false;

    std::vector<Group> m_groups;
    std::vector<Target> m_targets;
    std::vector<Network> m_networks;
    std::size_t m_found = 0;  // servers the search found
    std::shared_ptr<Lookups> m_lookups;
    std::size_t m_lookupsOpen = 0;
    QueryResult m_result;
};

QueryResult Exchange::run() {
    const auto deadline = Clock::now() + m_request.timeout;
    std::vector<std::pair<std::size_t, ServerAddress>> names;
    for (const auto& address : m_request.servers) {
        if (std::ranges::find(m_groups, address, &Group::address) != m_groups.end()) {
            continue;
        }
        const std::size_t group = addGroup(address);
        const auto literal = literalAddress(address);
        const auto endpoint = literal ? endpointOf(*literal, address.port) : std::nullopt;
        if (endpoint) {
            ask(group, *endpoint);
        } else {
            ++m_groups[group].open;
            names.emplace_back(group, address);
        }
    }
    startLookups(std::move(names));
    if (m_request.localNetwork) {
        searchLocalNetworks();
    }
    while (!settled() && !(m_stop != nullptr && m_stop->load())) {
        const auto now = Clock::now();
        if (now >= deadline) {
            break;
        }
        m_io.run_one_for(std::min<Clock::duration>(kSlice, deadline - now));
        collectLookups();
    }
    for (const auto& group : m_groups) {
        if (!group.answered && group.malformed) {
            m_result.problems.push_back("The answer of " + addressText(group.address) +
                                        " is not a server status.");
        }
    }
    return std::move(m_result);
}

std::size_t Exchange::addGroup(const ServerAddress& address) {
    m_groups.push_back({address, 0, false, false});
    return m_groups.size() - 1;
}

void Exchange::ask(std::size_t group, const udp::endpoint& endpoint) {
    Receiver* receiver = receiverFor(endpoint.address().is_v6());
    std::error_code error;
    if (receiver != nullptr) {
        receiver->socket.send_to(asio::buffer(kStatusRequest.data(), kStatusRequest.size()),
                                 endpoint, 0, error);
    }
    if (receiver == nullptr || error) {
        m_result.problems.push_back(
            "Cannot reach " + addressText(m_groups[group].address) +
            (error ? ": " + error.message() + "." : ": this system has no IPv6."));
        return;
    }
    ++m_groups[group].open;
    m_targets.push_back({group, endpoint, Clock::now()});
}

void Exchange::closeRequest(std::size_t group) {
    if (m_groups[group].open > 0) {
        --m_groups[group].open;
    }
}

void Exchange::startLookups(std::vector<std::pair<std::size_t, ServerAddress>> names) {
    if (names.empty()) {
        return;
    }
    m_lookups = std::make_shared<Lookups>();
    m_lookups->waiting.assign(names.begin(), names.end());
    m_lookupsOpen = names.size();
    std::size_t started = 0;
    for (; started < std::min(kLookupThreads, names.size()); ++started) {
        try {
            std::thread(runLookups, m_lookups).detach();
        } catch (const std::system_error&) {
            break;  // the threads already running take the rest
        }
    }
    if (started == 0) {
        abandonLookups();
        m_lookupsOpen = 0;
        for (const auto& [group, address] : names) {
            m_result.problems.push_back("Cannot look up the server " + address.host + ".");
            closeRequest(group);
        }
    }
}

void Exchange::collectLookups() {
    if (m_lookupsOpen == 0) {
        return;
    }
    std::vector<Lookups::Found> found;
    {
        const std::lock_guard lock(m_lookups->mutex);
        found.swap(m_lookups->found);
    }
    for (const auto& lookup : found) {
        --m_lookupsOpen;
        if (!lookup.problem.empty()) {
            m_result.problems.push_back(lookup.problem);
        }
        for (const auto& endpoint : lookup.endpoints) {
            ask(lookup.group, endpoint);
        }
        closeRequest(lookup.group);
    }
}

void Exchange::abandonLookups() {
    if (m_lookups) {
        const std::lock_guard lock(m_lookups->mutex);
        m_lookups->abandoned = true;
        m_lookups->waiting.clear();
    }
}

void Exchange::searchLocalNetworks() {
    for (const auto& entry : interfaceAddresses()) {
        if (entry.broadcast && entry.address.isV4() && m_networks.size() < kMaxSearchedInterfaces) {
            m_networks.push_back({entry.address, entry.prefixLength});
            Receiver* receiver = receiverFor(false);
            const auto broadcast = endpointOf(*entry.broadcast, 0);
            if (receiver == nullptr || !broadcast) {
                continue;
            }
            for (std::uint32_t port = kFirstLanPort; port <= kLastLanPort; ++port) {
                // A network that cannot be sent to has no server to find.
                std::error_code ignored;
                receiver->socket.send_to(
                    asio::buffer(kInfoRequest.data(), kInfoRequest.size()),
                    udp::endpoint(broadcast->address(), static_cast<std::uint16_t>(port)), 0,
                    ignored);
            }
        }
    }
    if (m_networks.empty()) {
        m_result.problems.push_back(
            "No local network to search: no network interface has a broadcast address.");
    }
}

Exchange::Receiver* Exchange::receiverFor(bool v6) {
    auto& receiver = v6 ? m_v6 : m_v4;
    bool& failed = v6 ? m_v6Failed : m_v4Failed;
    if (receiver || failed) {
        return receiver ? &*receiver : nullptr;
    }
    receiver.emplace(m_io);
    std::error_code error;
    auto& socket = receiver->socket;
    socket.open(v6 ? udp::v6() : udp::v4(), error);
    if (!error && v6) {
        socket.set_option(asio::ip::v6_only(true), error);
    }
    if (!error && !v6) {
        socket.set_option(asio::socket_base::broadcast(true), error);
    }
    if (!error) {
        socket.bind(udp::endpoint(v6 ? udp::v6() : udp::v4(), 0), error);
    }
    if (error) {
        receiver.reset();
        failed = true;
        return nullptr;
    }
    receive(*receiver);
    return &*receiver;
}

void Exchange::receive(Receiver& receiver) {
    receiver.socket.async_receive_from(
        asio::buffer(receiver.buffer), receiver.from,
        [this, &receiver](const std::error_code& error, std::size_t size) {
            if (error == asio::error::operation_aborted) {
                return;
            }
            if (error) {
                if (++receiver.failures < kMaxReceiveFailures) {
                    receive(receiver);
                }
                return;
            }
            receiver.failures = 0;
            take(std::string_view(receiver.buffer.data(), size), receiver.from);
            receive(receiver);
        });
}

void Exchange::take(std::string_view datagram, const udp::endpoint& from) {
    bool asked = false;
    std::optional<ServerStatus> status;
    bool parsed = false;
    for (const auto& target : m_targets) {
        if (target.endpoint != from) {
            continue;
        }
        asked = true;
        Group& group = m_groups[target.group];
        if (group.answered) {
            continue;
        }
        if (!parsed) {
            status = parseStatusReply(datagram);
            parsed = true;
        }
        if (status) {
            const auto ping =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - target.sent);
            m_result.servers.merge({group.address, ping, *status});
            group.answered = true;
            group.open = 0;
        } else if (!parseInfoReply(datagram)) {
            // The search's own question may be answered here too; anything
            // else is not what was asked.
            group.malformed = true;
        }
    }
    if (asked || m_networks.empty() || m_found >= kMaxServers || !fromSearchedNetwork(from) ||
        !parseInfoReply(datagram)) {
        return;
    }
    ++m_found;
    ask(addGroup(serverAt(ipOf(from.address()), from.port())), from);
}

bool Exchange::fromSearchedNetwork(const udp::endpoint& from) const {
    if (!from.address().is_v4() || from.port() < kFirstLanPort || from.port() > kLastLanPort) {
        return false;
    }
    const auto address = ipOf(from.address());
    return std::ranges::any_of(m_networks, [&address](const Network& network) {
        return sameNetworkV4(address, network.address, network.prefixLength);
    });
}

bool Exchange::settled() const {
    // A search waits for whoever answers until the deadline, unless it had nowhere to ask.
    return (!m_request.localNetwork || m_networks.empty()) && m_lookupsOpen == 0 &&
           std::ranges::all_of(
               m_groups, [](const Group& group) { return group.answered || group.open == 0; });
}

}  // namespace

QueryResult queryServers(const QueryRequest& request) {
    try {
        return Exchange(request, nullptr).run();
    } catch (const std::system_error& error) {
        QueryResult result;
        result.problems.push_back(std::string("The network cannot be used: ") + error.what() + ".");
        return result;
    }
}

std::shared_ptr<ServerQuery> ServerQuery::start(QueryRequest request, Done done) {
    auto query = std::make_shared<ServerQuery>(std::move(done));
    std::thread([query, request = std::move(request)] {
        QueryResult result;
        try {
            result = Exchange(request, &query->m_cancelled).run();
        } catch (const std::exception& error) {
            result.problems.push_back(std::string("The network cannot be used: ") + error.what() +
                                      ".");
        }
        query->finish(std::move(result));
    }).detach();
    return query;
}

void ServerQuery::cancel() {
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
}

void ServerQuery::finish(QueryResult result) {
    const std::lock_guard lock(m_mutex);
    if (!m_cancelled && m_done) {
        m_done(std::move(result));
    }
}

}  // namespace wyn
