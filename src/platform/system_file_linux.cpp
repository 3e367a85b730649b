#include "platform/system_file.h"

#include <fcntl.h>
#include <unistd.h>

namespace wyn {

SystemFile::SystemFile(Native native) : m_native(native) {
    if (native >= 0 && native <= STDERR_FILENO) {
        const int descriptor = static_cast<int>(native);
        m_native = ::fcntl(descriptor, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        ::close(descriptor);
    }
}

void SystemFile::reset() {
    if (m_native >= 0) {
        ::close(static_cast<int>(m_native));
        m_native = kNone;
    }
}

}  // namespace wyn
