#include "session/console_values.h"

#include <algorithm>
#include <array>

namespace wyn {

namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7f;
}

bool breaksValue(char c, ConsoleContext context) {
    return c == ';' || c == '"' || isControl(static_cast<unsigned char>(c)) ||
           (c == '+' && context == ConsoleContext::CommandLine);
}

// The value as a message can show it: a line break or another control
// character as its C escape, so the box shows one line and every byte.
std::string shown(std::string_view value) {
    std::string text;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else if (c == '\t') {
            text += "\\t";
        } else if (isControl(byte)) {
            constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                                '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0xf];
        } else {
            text += c;
        }
    }
    return text;
}

std::string named(char c) {
    if (c == '\n' || c == '\r') {
        return "a line break";
    }
    if (isControl(static_cast<unsigned char>(c))) {
        return "a control character";
    }
    return std::string("'") + c + "'";
}

}  // namespace

std::optional<char> consoleBreakingCharacter(std::string_view value, ConsoleContext context) {
    const auto found =
        std::ranges::find_if(value, [context](char c) { return breaksValue(c, context); });
    if (found == value.end()) {
        return std::nullopt;
    }
    return *found;
}

std::optional<std::string> unsafeValueMessage(std::string_view source, std::string_view value,
                                              ConsoleContext context) {
    const auto c = consoleBreakingCharacter(value, context);
    if (!c) {
        return std::nullopt;
    }
    std::string message(source);
    message += " '";
    message += shown(value);
    message += "' cannot be given to Quake II: it holds ";
    message += named(*c);
    message += ", which the game's console would read as more than this one value.";
    return message;
}

std::optional<std::string> unsafeNameMessage(std::string_view source,
                                             const std::vector<std::string>& names) {
    for (const auto& name : names) {
        if (auto message = unsafeValueMessage(source, name)) {
            return message;
        }
    }
    return std::nullopt;
}

bool needsConsoleQuotes(std::string_view name) {
    return name.find(' ') != std::string_view::npos;
}

std::string consoleWord(std::string_view name) {
    if (!needsConsoleQuotes(name)) {
        return std::string(name);
    }
    std::string word = "\"";
    word += name;
    word += '"';
    return word;
}

}  // namespace wyn
