#include "servers/server_address.h"

namespace wyn {

namespace {

constexpr std::string_view kForms = "give HOST, HOST:PORT or [IPv6]:PORT";
constexpr std::string_view kBadPort = "the port must be a number from 1 to 65535";
constexpr std::string_view kBadName =
    "a host name is made of letters, digits, '-' and '_' between dots";
constexpr std::size_t kLongestName = 253;
constexpr std::size_t kLongestLabel = 63;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isNameCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
           c == '_';
}

// The text as a message quotes it: control bytes as \xHH, cut when long.
std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 64;
    std::string shown;
    for (const char c : text.substr(0, kShown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 15];
        } else {
            shown += c;
        }
    }
    if (text.size() > kShown) {
        shown += "...";
    }
    return "'" + shown + "'";
}

AddressCheck refused(std::string_view text, std::string_view reason) {
    return {std::nullopt, quoted(text) + " is not a server address: " + std::string(reason) + "."};
}

std::optional<std::uint16_t> parsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

bool isHostName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName) {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        const auto dot = name.find('.', start);
        const auto label = name.substr(start, dot == name.npos ? name.npos : dot - start);
        if (label.empty() || label.size() > kLongestLabel || label.front() == '-' ||
            label.back() == '-') {
            return false;
        }
        for (const char c : label) {
            if (!isNameCharacter(c)) {
                return false;
            }
        }
        if (dot == name.npos) {
            break;
        }
        start = dot + 1;
    }
    return true;
}

bool looksNumeric(std::string_view host) {
    return host.find_first_not_of("0123456789.") == std::string_view::npos;
}

}  // namespace

AddressCheck checkServerAddress(std::string_view typed) {
    std::string_view text = typed;
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return {std::nullopt, "Please enter a server address."};
    }

    std::string_view host = text;
    std::optional<std::string_view> port;
    bool bracketed = false;
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close == text.npos) {
            return refused(typed, kForms);
        }
        host = text.substr(1, close - 1);
        const auto rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') {
                return refused(typed, kForms);
            }
            port = rest.substr(1);
        }
        bracketed = true;
    } else if (const auto colon = text.find(':'); colon != text.npos) {
        if (text.find(':', colon + 1) == text.npos) {
            host = text.substr(0, colon);
            port = text.substr(colon + 1);
        } else {
            bracketed = true;  // a bare IPv6 address
        }
    }

    ServerAddress address;
    if (port) {
        const auto number = parsePort(*port);
        if (!number) {
            return refused(typed, kBadPort);
        }
        address.port = *number;
    }
    if (bracketed) {
        const auto v6 = parseIpv6(host);
        if (!v6) {
            return refused(typed, kForms);
        }
        address.host = ipText(*v6);
    } else if (looksNumeric(host)) {
        if (!parseIpv4(host)) {
            return refused(typed, kForms);
        }
        address.host = std::string(host);
    } else if (!isHostName(host)) {
        return refused(typed, kBadName);
    } else {
        address.host = std::string(host);
    }
    return {address, {}};
}

std::optional<ServerAddress> parseServerAddress(std::string_view text) {
    return checkServerAddress(text).address;
}

std::string addressText(const ServerAddress& address) {
    const bool v6 = address.host.find(':') != std::string::npos;
    return (v6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

ServerAddress serverAt(const IpAddress& address, std::uint16_t port) {
    return {ipText(address), port};
}

std::optional<IpAddress> literalAddress(const ServerAddress& address) {
    if (address.host.find(':') != std::string::npos) {
        return parseIpv6(address.host);
    }
    return parseIpv4(address.host);
}

std::string noAnswerMessage(const ServerAddress& address) {
    return "No answer from " + addressText(address) + ".";
}

}  // namespace wyn
