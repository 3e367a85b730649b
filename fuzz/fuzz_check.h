#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A property that does not hold is a crash, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace wyn::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A file that changes under its reader, from an input not empty: its first
// byte says by how much each read answers more than asked (up to 127 bytes)
// or fewer (up to 127), as a file that grows or shrinks while it is read; the
// rest is the file.
class ChangingFile {
public:
    ChangingFile(const std::uint8_t* data, std::size_t size)
        : m_bytes(asText(data + 1, size - 1)),
          m_change(static_cast<int>(data[0] & 0x7f) * ((data[0] & 0x80) ? -1 : 1)) {}

    std::string_view bytes() const { return m_bytes; }

    // No reader asks for more than a MiB at once.
    std::string read(std::uint64_t offset, std::size_t wanted) const {
        FUZZ_CHECK(wanted <= std::size_t{1} << 20);
        if (offset >= m_bytes.size()) {
            return {};
        }
        const auto answered = static_cast<long long>(wanted) + m_change;
        return std::string(m_bytes.substr(static_cast<std::size_t>(offset),
                                          static_cast<std::size_t>(answered < 0 ? 0 : answered)));
    }

private:
    std::string_view m_bytes;
    int m_change;
};

}  // namespace wyn::fuzz
