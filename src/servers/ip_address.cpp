#include "servers/ip_address.h"

#include <vector>

namespace wyn {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isZoneCharacter(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_' ||
           c == '.';
}

// One to four hex digits.
std::optional<std::uint16_t> hexGroup(std::string_view text) {
    if (text.empty() || text.size() > 4) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : text) {
        const int digit = hexValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<std::uint16_t>(value);
}

// The groups of one side of "::" (or of the whole text): pieces between ':',
// the last of which may be a dotted IPv4 address standing for two groups.
bool readGroups(std::string_view text, std::vector<std::uint16_t>& groups) {
    if (text.empty()) {
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const auto colon = text.find(':', start);
        const auto piece =
            text.substr(start, colon == std::string_view::npos ? text.npos : colon - start);
        if (colon == std::string_view::npos && piece.find('.') != std::string_view::npos) {
            const auto v4 = parseIpv4(piece);
            if (!v4) {
                return false;
            }
            groups.push_back(static_cast<std::uint16_t>(v4->bytes[0] << 8 | v4->bytes[1]));
            groups.push_back(static_cast<std::uint16_t>(v4->bytes[2] << 8 | v4->bytes[3]));
            return true;
        }
        const auto group = hexGroup(piece);
        if (!group || groups.size() == 8) {
            return false;
        }
        groups.push_back(*group);
        if (colon == std::string_view::npos) {
            return true;
        }
        start = colon + 1;
    }
}

std::uint32_t v4Value(const IpAddress& address) {
    return std::uint32_t{address.bytes[0]} << 24 | std::uint32_t{address.bytes[1]} << 16 |
           std::uint32_t{address.bytes[2]} << 8 | address.bytes[3];
}

bool inV4Network(const IpAddress& address, std::uint32_t network, int prefixLength) {
    const auto byte = [network](unsigned shift) {
        return static_cast<std::uint8_t>(network >> shift);
    };
    return sameNetworkV4(address, IpAddress::v4(byte(24), byte(16), byte(8), byte(0)),
                         prefixLength);
}

}  // namespace

IpAddress IpAddress::v4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    IpAddress address;
    address.bytes[0] = a;
    address.bytes[1] = b;
    address.bytes[2] = c;
    address.bytes[3] = d;
    return address;
}

IpAddress IpAddress::v6(const std::array<std::uint8_t, 16>& bytes, std::string zone) {
    IpAddress address;
    address.family = Family::V6;
    address.bytes = bytes;
    address.zone = std::move(zone);
    return address;
}

std::optional<IpAddress> parseIpv4(std::string_view text) {
    IpAddress address;
    std::size_t part = 0;
    std::size_t i = 0;
    while (part < 4) {
        const std::size_t start = i;
        unsigned value = 0;
        while (i < text.size() && isDigit(text[i]) && i - start < 3) {
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
            ++i;
        }
        const std::size_t digits = i - start;
        if (digits == 0 || value > 255 || (digits > 1 && text[start] == '0')) {
            return std::nullopt;
        }
        address.bytes[part++] = static_cast<std::uint8_t>(value);
        if (part < 4) {
            if (i >= text.size() || text[i] != '.') {
                return std::nullopt;
            }
            ++i;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return address;
}

std::optional<IpAddress> parseIpv6(std::string_view text) {
    std::string zone;
    if (const auto percent = text.find('%'); percent != std::string_view::npos) {
        zone = std::string(text.substr(percent + 1));
        text = text.substr(0, percent);
        if (zone.empty() || zone.size() > 64) {
            return std::nullopt;
        }
        for (const char c : zone) {
            if (!isZoneCharacter(c)) {
                return std::nullopt;
            }
        }
    }
    std::vector<std::uint16_t> head;
    std::vector<std::uint16_t> tail;
    const auto gap = text.find("::");
    if (gap == std::string_view::npos) {
        if (!readGroups(text, head) || head.size() != 8) {
            return std::nullopt;
        }
    } else {
        const auto before = text.substr(0, gap);
        const auto after = text.substr(gap + 2);
        // A dotted part only ends the address; a single ':' may not touch "::".
        if (after.find("::") != std::string_view::npos || before.find('.') != before.npos ||
            before.ends_with(':') || after.starts_with(':') || !readGroups(before, head) ||
            !readGroups(after, tail) || head.size() + tail.size() > 7) {
            return std::nullopt;
        }
    }
    std::array<std::uint8_t, 16> bytes{};
    const auto put = [&bytes](std::size_t index, std::uint16_t group) {
        bytes[index * 2] = static_cast<std::uint8_t>(group >> 8);
        bytes[index * 2 + 1] = static_cast<std::uint8_t>(group);
    };
    for (std::size_t i = 0; i < head.size(); ++i) {
        put(i, head[i]);
    }
    for (std::size_t i = 0; i < tail.size(); ++i) {
        put(8 - tail.size() + i, tail[i]);
    }
    return IpAddress::v6(bytes, std::move(zone));
}

std::string ipText(const IpAddress& address) {
    if (address.isV4()) {
        return std::to_string(address.bytes[0]) + '.' + std::to_string(address.bytes[1]) + '.' +
               std::to_string(address.bytes[2]) + '.' + std::to_string(address.bytes[3]);
    }
    std::array<unsigned, 8> groups{};
    for (std::size_t i = 0; i < 8; ++i) {
        groups[i] = unsigned{address.bytes[i * 2]} << 8 | address.bytes[i * 2 + 1];
    }
    // The longest run of two or more zero groups, the first of equals.
    std::size_t runStart = 8;
    std::size_t runLength = 1;
    for (std::size_t i = 0; i < 8;) {
        std::size_t j = i;
        while (j < 8 && groups[j] == 0) {
            ++j;
        }
        if (j - i > runLength) {
            runStart = i;
            runLength = j - i;
        }
        i = j == i ? i + 1 : j;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == runStart) {
            text += "::";
            i += runLength - 1;
            continue;
        }
        if (!text.empty() && !text.ends_with(':')) {
            text += ':';
        }
        bool started = false;
        for (int shift = 12; shift >= 0; shift -= 4) {
            const unsigned digit = (groups[i] >> shift) & 0xF;
            if (digit != 0 || started || shift == 0) {
                text += kHex[digit];
                started = true;
            }
        }
    }
    if (!address.zone.empty()) {
        text += '%' + address.zone;
    }
    return text;
}

bool isLoopback(const IpAddress& address) {
    if (address.isV4()) {
        return address.bytes[0] == 127;
    }
    for (std::size_t i = 0; i < 15; ++i) {
        if (address.bytes[i] != 0) {
            return false;
        }
    }
    return address.bytes[15] == 1;
}

bool isLinkLocal(const IpAddress& address) {
    if (address.isV4()) {
        return address.bytes[0] == 169 && address.bytes[1] == 254;
    }
    return address.bytes[0] == 0xfe && (address.bytes[1] & 0xc0) == 0x80;
}

bool isPrivateV4(const IpAddress& address) {
    return inV4Network(address, 0x0A000000u, 8) || inV4Network(address, 0xAC100000u, 12) ||
           inV4Network(address, 0xC0A80000u, 16);
}

bool isUnicastV4(const IpAddress& address) {
    return address.isV4() && address.bytes[0] != 0 && address.bytes[0] < 224;
}

bool isGlobalV6(const IpAddress& address) {
    return address.isV6() && (address.bytes[0] & 0xe0) == 0x20;
}

bool sameNetworkV4(const IpAddress& a, const IpAddress& b, int prefixLength) {
    if (!a.isV4() || !b.isV4() || prefixLength < 0 || prefixLength > 32) {
        return false;
    }
    const std::uint32_t mask =
        prefixLength == 0 ? 0 : ~std::uint32_t{0} << (32 - static_cast<unsigned>(prefixLength));
    return (v4Value(a) & mask) == (v4Value(b) & mask);
}

}  // namespace wyn
