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

namespace {

// The length of the UTF-8 sequence at text[at], 0 when it is not one: no
// overlong form, nothing above U+10FFFF. A surrogate is taken (as WTF-8 has
// it), so a Windows name holding one unpaired crosses back unchanged.
std::size_t utf8SequenceAt(std::string_view text, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07u, minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    return code < minimum || code > 0x10FFFF ? 0 : length;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const std::size_t length = utf8SequenceAt(text, at, code);
        if (length == 0) {
            code = static_cast<unsigned char>(text[at]);
        }
        at += length == 0 ? 1 : length;
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t code = text[at];
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        if (high && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++at] - 0xDC00);
        }
        appendUtf8(out, code);
    }
    return out;
}

}  // namespace wyn
