#pragma once

#include <cstdint>
#include <utility>

namespace wyn {

// An open file of this program's, closed with its owner: a descriptor on
// Linux, a HANDLE on Windows (both -1 when there is none).
class SystemFile {
public:
    using Native = std::intptr_t;
    static constexpr Native kNone = -1;

    SystemFile() = default;
    // Takes the file. On Linux a descriptor is moved above the standard
    // streams' numbers: a program started with one of them closed hands that
    // number out, and a child overwrites 0 to 2 before it runs anything of ours.
    explicit SystemFile(Native native);
    ~SystemFile() { reset(); }
    SystemFile(SystemFile&& other) noexcept : m_native(other.release()) {}
    SystemFile& operator=(SystemFile&& other) noexcept {
        if (this != &other) {
            reset();
            m_native = other.release();
        }
        return *this;
    }

    Native get() const { return m_native; }
    bool valid() const { return m_native != kNone; }
    Native release() { return std::exchange(m_native, kNone); }
    void reset();

private:
    Native m_native = kNone;
};

}  // namespace wyn
