#include "session/hosted_server.h"

#include <algorithm>
#include <sstream>

#include "base/errors.h"
#include "base/text.h"
#include "base/text_file.h"
#include "session/launch.h"
#include "session/session_settings.h"

namespace wyn {

namespace {

// The words of one console command, quotes taken off.
std::vector<std::string> words(std::string_view command) {
    std::vector<std::string> result;
    std::istringstream in{std::string(command)};
    for (std::string word; in >> word;) {
        std::erase(word, '"');
        result.push_back(word);
    }
    return result;
}

// "+set port 27911" on a command line is the console line "set port 27911".
std::vector<std::string> argumentLines(const std::vector<std::string>& arguments) {
    std::vector<std::string> lines;
    for (const auto& argument : arguments) {
        if (startsWith(argument, "+")) {
            lines.push_back(argument.substr(1));
        } else if (!lines.empty()) {
            lines.back() += ' ' + argument;
        }
    }
    return lines;
}

bool hasArguments(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& wanted) {
    // std::search, not ranges::search, whose subrange clang 14 cannot build
    // over libstdc++ 12 (the fuzz build).
    return std::search(arguments.begin(), arguments.end(), wanted.begin(), wanted.end()) !=
           arguments.end();
}

}  // namespace

ServerAddress localServer(std::uint16_t port) {
    return {"127.0.0.1", port};
}

std::uint16_t consolePort(const std::vector<std::string>& lines) {
    std::uint16_t port = kDefaultServerPort;
    for (const auto& line : lines) {
        std::string_view rest = line;
        while (!rest.empty()) {
            const auto end = std::min(rest.find(';'), rest.size());
            auto command = words(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
            if (!command.empty() && equalsIgnoringCase(command[0], "set")) {
                command.erase(command.begin());
            }
            int value = 0;
            if (command.size() >= 2 && equalsIgnoringCase(command[0], "port") &&
                command[1].find_first_not_of("0123456789") == std::string::npos &&
                tryParseInteger(command[1], value) && value >= 1 && value <= 65535) {
                port = static_cast<std::uint16_t>(value);
            }
        }
    }
    return port;
}

std::uint16_t sessionServerPort(const SessionSettings& session,
                                const std::vector<std::string>& arguments) {
    auto lines = argumentLines(arguments);
    try {
        const auto script = readLines(scriptPath(session.recogniseEngine()));
        lines.insert(lines.end(), script.begin(), script.end());
    } catch (const WynError&) {
        // No script yet: nothing set there.
    }
    return consolePort(lines);
}

std::optional<HostedServer> hostedServer(const SessionSettings& session,
                                         const StartRequest& request) {
    if (std::ranges::find(request.arguments, "+connect") != request.arguments.end()) {
        return std::nullopt;
    }
    return HostedServer{localServer(sessionServerPort(session, request.arguments)),
                        hasArguments(request.arguments, {"+set", "dedicated", "1"})};
}

}  // namespace wyn
