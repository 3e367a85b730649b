#include "servers/server_reply.h"

#include <array>
#include <cstdint>

namespace wyn {

namespace {

constexpr std::string_view kOutOfBand{"\xff\xff\xff\xff", 4};
constexpr std::string_view kPrintHeader = "print\n";
constexpr std::string_view kInfoHeader = "info\n";

// Q2PRO's console table: high bit off, printable ASCII as it is, the bold
// brackets as brackets, anything else a dot.
constexpr std::array<char, 256> kGameCharacters = [] {
    std::array<char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const int c = byte & 0x7f;
        table[static_cast<std::size_t>(byte)] = c == 16              ? '['
                                                : c == 17            ? ']'
                                                : c >= 32 && c < 127 ? static_cast<char>(c)
                                                                     : '.';
    }
    return table;
}();

// The datagram after the out-of-band mark and the header; nothing when it is
// another reply or too large.
std::optional<std::string_view> replyBody(std::string_view datagram, std::string_view header) {
    if (datagram.size() > kMaxReply || !datagram.starts_with(kOutOfBand)) {
        return std::nullopt;
    }
    datagram.remove_prefix(kOutOfBand.size());
    if (!datagram.starts_with(header)) {
        return std::nullopt;
    }
    datagram.remove_prefix(header.size());
    return datagram;
}

// The next line without its break; nothing when the text does not end one.
std::optional<std::string_view> takeLine(std::string_view& text) {
    const auto end = text.find('\n');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    const auto line = text.substr(0, end);
    text.remove_prefix(end + 1);
    return line;
}

// An optional '-' and one to ten digits, within int.
bool takeInteger(std::string_view& text, int& value) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        ++i;
    }
    const std::size_t first = i;
    std::int64_t number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - first < 10) {
        number = number * 10 + (text[i] - '0');
        ++i;
    }
    if (i == first || (i < text.size() && text[i] >= '0' && text[i] <= '9')) {
        return false;
    }
    number = negative ? -number : number;
    if (number < INT32_MIN || number > INT32_MAX) {
        return false;
    }
    value = static_cast<int>(number);
    text.remove_prefix(i);
    return true;
}

bool takeCharacter(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

// "\NAME\VALUE\NAME\VALUE...": every name not empty, every name with a value.
bool readRules(std::string_view line, std::vector<ServerRule>& rules) {
    if (line.empty()) {
        return true;
    }
    if (line.front() != '\\') {
        return false;
    }
    line.remove_prefix(1);
    while (true) {
        const auto nameEnd = line.find('\\');
        if (nameEnd == 0 || nameEnd == std::string_view::npos) {
            return false;
        }
        const auto name = line.substr(0, nameEnd);
        line.remove_prefix(nameEnd + 1);
        const auto valueEnd = line.find('\\');
        const auto value = line.substr(0, valueEnd);
        if (rules.size() < kMaxRules) {
            rules.push_back({gameText(name), gameText(value)});
        }
        if (valueEnd == std::string_view::npos) {
            return true;
        }
        line.remove_prefix(valueEnd + 1);
    }
}

// FRAGS PING "NAME"
bool readPlayer(std::string_view line, ServerPlayer& player) {
    if (!takeInteger(line, player.frags) || !takeCharacter(line, ' ') ||
        !takeInteger(line, player.ping) || !takeCharacter(line, ' ') || !takeCharacter(line, '"') ||
        line.empty() || line.back() != '"') {
        return false;
    }
    line.remove_suffix(1);
    player.name = gameText(line);
    return true;
}

void trimBlanks(std::string_view& text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
}

// Digits at the end of a text, taken off it.
bool takeTrailingNumber(std::string_view& text, int& value) {
    std::size_t start = text.size();
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9') {
        --start;
    }
    auto digits = text.substr(start);
    if (digits.empty() || !takeInteger(digits, value) || !digits.empty()) {
        return false;
    }
    text.remove_suffix(text.size() - start);
    return true;
}

}  // namespace

std::string gameText(std::string_view bytes) {
    std::string text(bytes.size(), '.');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[i] = kGameCharacters[static_cast<unsigned char>(bytes[i])];
    }
    return text;
}

std::string ServerStatus::rule(std::string_view name) const {
    for (const auto& rule : rules) {
        if (rule.name == name) {
            return rule.value;
        }
    }
    return {};
}

std::optional<ServerStatus> parseStatusReply(std::string_view datagram) {
    auto body = replyBody(datagram, kPrintHeader);
    if (!body) {
        return std::nullopt;
    }
    const auto rulesLine = takeLine(*body);
    ServerStatus status;
    if (!rulesLine || !readRules(*rulesLine, status.rules)) {
        return std::nullopt;
    }
    ServerPlayer player;
    while (!body->empty()) {
        const auto line = takeLine(*body);
        if (!line || !readPlayer(*line, player)) {
            return std::nullopt;
        }
        if (status.players.size() < kMaxPlayers) {
            status.players.push_back(std::move(player));
        }
    }
    return status;
}

std::optional<ServerInfo> parseInfoReply(std::string_view datagram) {
    auto body = replyBody(datagram, kInfoHeader);
    if (!body) {
        return std::nullopt;
    }
    auto line = takeLine(*body);
    if (!line || !body->empty()) {
        return std::nullopt;
    }
    const auto slash = line->rfind('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    ServerInfo info;
    auto maximum = line->substr(slash + 1);
    auto rest = line->substr(0, slash);
    trimBlanks(maximum);
    if (!takeInteger(maximum, info.maxPlayers) || !maximum.empty() ||
        !takeTrailingNumber(rest, info.players) || !rest.ends_with(' ')) {
        return std::nullopt;
    }
    trimBlanks(rest);
    const auto mapStart = rest.rfind(' ');
    info.map = gameText(rest.substr(mapStart == std::string_view::npos ? 0 : mapStart + 1));
    rest = mapStart == std::string_view::npos ? std::string_view{} : rest.substr(0, mapStart);
    trimBlanks(rest);
    info.name = gameText(rest);
    return info;
}

std::string serverName(const ServerStatus& status) {
    return status.rule("hostname");
}

std::string serverMap(const ServerStatus& status) {
    return status.rule("mapname");
}

std::string playersText(const ServerStatus& status) {
    const auto maximum = status.rule("maxclients");
    return std::to_string(status.players.size()) + "/" + (maximum.empty() ? "?" : maximum);
}

}  // namespace wyn
