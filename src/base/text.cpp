#include "base/text.h"

#include <algorithm>
#include <limits>

#include "base/errors.h"

namespace wyn {

char toLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char toUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string toLower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), toLowerAscii);
    return result;
}

std::string toUpper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), toUpperAscii);
    return result;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toLowerAscii(x) == toLowerAscii(y);
           });
}

bool lessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(toLowerAscii(x)) <
               static_cast<unsigned char>(toLowerAscii(y));
    });
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string removeFirst(std::string_view text, std::string_view part) {
    std::string result(text);
    if (const auto pos = result.find(part); !part.empty() && pos != std::string::npos) {
        result.erase(pos, part.size());
    }
    return result;
}

int indexOfIgnoringCase(const std::vector<std::string>& list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (equalsIgnoringCase(list[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool tryParseInteger(std::string_view text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            return false;
        }
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(signedValue);
    return true;
}

int parseInteger(const std::string& text) {
    int value = 0;
    if (!tryParseInteger(text, value)) {
        throwNotValidInteger(text);
    }
    return value;
}

}  // namespace wyn
