#include "app/ctl_servers.h"

#include <optional>
#include <string>

#include "base/text.h"
#include "platform/network/server_query.h"
#include "servers/friend_addresses.h"
#include "session/join.h"

namespace wyn {

namespace {

constexpr const char* kStatusUsage = "status [--timeout SECONDS] ADDRESS";
constexpr const char* kServersUsage = "servers [--timeout SECONDS] [--lan] [ADDRESS...]";
constexpr const char* kAddressesUsage = "addresses [--port N]";
constexpr const char* kJoinUsage = "join [--dry-run] ADDRESS";

constexpr std::chrono::milliseconds kDefaultTimeout{3000};
constexpr std::chrono::milliseconds kLongestTimeout{3600 * 1000};

// Seconds with up to three decimals ("3", "0.5"), more than none, at most an hour.
std::optional<std::chrono::milliseconds> parseSeconds(std::string_view text) {
    const auto point = text.find('.');
    const auto whole = text.substr(0, point);
    const auto fraction = point == text.npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() || whole.size() > 4 || (point != text.npos && fraction.empty()) ||
        fraction.size() > 3 || whole.find_first_not_of("0123456789") != whole.npos ||
        fraction.find_first_not_of("0123456789") != fraction.npos) {
        return std::nullopt;
    }
    long long milliseconds = std::stoll(std::string(whole)) * 1000;
    long long scale = 100;
    for (const char digit : fraction) {
        milliseconds += (digit - '0') * scale;
        scale /= 10;
    }
    const std::chrono::milliseconds timeout{milliseconds};
    if (timeout.count() <= 0 || timeout > kLongestTimeout) {
        return std::nullopt;
    }
    return timeout;
}

// The options of status and servers, and the addresses typed.
struct QueryOptions {
    std::chrono::milliseconds timeout = kDefaultTimeout;
    bool lan = false;
    std::vector<std::string> addresses;
};

std::optional<QueryOptions> parseQueryOptions(const CtlArguments& args, bool lanAllowed) {
    QueryOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto& arg = args[i];
        if (arg == "--timeout" && i + 1 < args.size()) {
            const auto timeout = parseSeconds(args[++i]);
            if (!timeout) {
                return std::nullopt;
            }
            options.timeout = *timeout;
        } else if (arg == "--lan" && lanAllowed) {
            options.lan = true;
        } else if (startsWith(arg, "--")) {
            return std::nullopt;
        } else {
            options.addresses.push_back(arg);
        }
    }
    return options;
}

// Every address typed, checked before anything is sent; the first that is no
// address is told, and nothing is.
std::optional<std::vector<ServerAddress>> checkAddresses(CtlContext& context,
                                                         const std::vector<std::string>& texts) {
    std::vector<ServerAddress> addresses;
    for (const auto& text : texts) {
        auto check = checkServerAddress(text);
        if (!check.address) {
            context.err << check.problem << '\n';
            return std::nullopt;
        }
        addresses.push_back(*check.address);
    }
    return addresses;
}

void reportProblems(CtlContext& context, const QueryResult& result) {
    for (const auto& problem : result.problems) {
        context.err << problem << '\n';
    }
}

void printStatus(CtlContext& context, const ServerStatus& status) {
    for (const auto& rule : status.rules) {
        context.out << rule.name << '\t' << rule.value << '\n';
    }
    context.out << "players\t" << status.players.size() << '\n';
    for (const auto& player : status.players) {
        context.out << player.frags << '\t' << player.ping << '\t' << player.name << '\n';
    }
}

}  // namespace

int ctlStatus(CtlContext& context, const CtlArguments& args) {
    const auto options = parseQueryOptions(args, false);
    if (!options || options->addresses.size() != 1) {
        return usageError(context, kStatusUsage);
    }
    const auto addresses = checkAddresses(context, options->addresses);
    if (!addresses) {
        return kExitUsage;
    }
    const auto result = queryServers({*addresses, false, options->timeout});
    reportProblems(context, result);
    const ServerEntry* answer = result.servers.find(addresses->front());
    if (answer == nullptr) {
        context.err << noAnswerMessage(addresses->front()) << '\n';
        return kExitFailure;
    }
    printStatus(context, answer->status);
    return kExitOk;
}

int ctlServers(CtlContext& context, const CtlArguments& args) {
    const auto options = parseQueryOptions(args, true);
    if (!options || (options->addresses.empty() && !options->lan)) {
        return usageError(context, kServersUsage);
    }
    const auto addresses = checkAddresses(context, options->addresses);
    if (!addresses) {
        return kExitUsage;
    }
    const auto result = queryServers({*addresses, options->lan, options->timeout});
    reportProblems(context, result);
    for (const auto& server : result.servers.servers()) {
        context.out << addressText(server.address) << '\t' << server.ping.count() << '\t'
                    << serverMap(server.status) << '\t' << playersText(server.status) << '\t'
                    << serverName(server.status) << '\n';
    }
    return kExitOk;
}

int ctlAddresses(CtlContext& context, const std::vector<InterfaceAddress>& interfaces,
                 const CtlArguments& args) {
    std::uint16_t port = kDefaultServerPort;
    if (args.size() == 2 && args[0] == "--port") {
        int number = 0;
        if (args[1].find_first_not_of("0123456789") != std::string::npos ||
            !tryParseInteger(args[1], number) || number < 1 || number > 65535) {
            return usageError(context, kAddressesUsage);
        }
        port = static_cast<std::uint16_t>(number);
    } else if (!args.empty()) {
        return usageError(context, kAddressesUsage);
    }
    for (const auto& address : friendAddresses(addressesOf(interfaces), port)) {
        context.out << address << '\n';
    }
    return kExitOk;
}

int ctlJoin(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    const bool dryRun = !args.empty() && args.front() == "--dry-run";
    if (args.size() != (dryRun ? 2u : 1u) || startsWith(args.back(), "--")) {
        return usageError(context, kJoinUsage);
    }
    if (!checkAddresses(context, {args.back()})) {
        return kExitUsage;
    }
    DryRunStarter printing(context.out);
    GameStarter& starter = dryRun ? static_cast<GameStarter&>(printing) : session.starter;
    const auto result = Join(session.settings, args.back(), session.prompts, starter,
                             dryRun ? nullptr : &context.store);
    return result.outcome == LaunchOutcome::Started ? kExitOk : kExitFailure;
}

}  // namespace wyn
