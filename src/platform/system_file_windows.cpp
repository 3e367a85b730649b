#include "platform/system_file.h"

#include <windows.h>

namespace wyn {

SystemFile::SystemFile(Native native) : m_native(native) {
    // Some calls answer no handle as a null one.
    if (native == 0) {
        m_native = kNone;
    }
}

void SystemFile::reset() {
    if (valid()) {
        ::CloseHandle(reinterpret_cast<HANDLE>(m_native));
        m_native = kNone;
    }
}

}  // namespace wyn
