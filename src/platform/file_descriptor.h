#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace wyn {

// An open file descriptor of this program (POSIX), closed with its owner.
class FileDescriptor {
public:
    FileDescriptor() = default;
    // Takes the descriptor (-1 for none), moved above the standard streams'
    // numbers: a program started with one of them closed hands that number
    // out, and a child overwrites 0 to 2 before it runs anything of ours.
    explicit FileDescriptor(int descriptor) : m_descriptor(descriptor) {
        if (descriptor >= 0 && descriptor <= STDERR_FILENO) {
            m_descriptor = ::fcntl(descriptor, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
            ::close(descriptor);
        }
    }
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept
        : m_descriptor(std::exchange(other.m_descriptor, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            reset();
            m_descriptor = std::exchange(other.m_descriptor, -1);
        }
        return *this;
    }

    int get() const { return m_descriptor; }
    bool valid() const { return m_descriptor >= 0; }
    void reset() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
            m_descriptor = -1;
        }
    }

private:
    int m_descriptor = -1;
};

}  // namespace wyn
