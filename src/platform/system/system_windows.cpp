// The core's system calls on Windows: paths are UTF-8 in the core and cross
// as UTF-16, since a narrow path would go through the ANSI code page, which
// cannot hold most names.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "base/file_system.h"
#include "base/platform_profile.h"
#include "base/system.h"
#include "base/text.h"

namespace wyn {

namespace fs = std::filesystem;

const PlatformProfile& PlatformProfile::native() {
    static const PlatformProfile profile = windows();
    return profile;
}

fs::path fileSystemPath(std::string_view path) {
    const std::u16string wide = utf16FromUtf8(path);
    return fs::path(std::wstring(wide.begin(), wide.end()));
}

std::string pathText(const fs::path& path) {
    const std::wstring& wide = path.native();
    return utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

// The C library's "x" mode is not in every Windows runtime.
std::FILE* createNewFile(const fs::path& path) {
    const int descriptor =
        ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* file = descriptor < 0 ? nullptr : ::_fdopen(descriptor, "wb");
    if (descriptor >= 0 && file == nullptr) {
        ::_close(descriptor);
    }
    return file;
}

// Windows keeps no Unix owner or mode; a read-only target is refused before.
void takeOwnerAndMode(std::FILE*, const fs::path&) {}

bool syncToDisk(std::FILE* file) {
    return ::_commit(::_fileno(file)) == 0;
}

// A rename is durable with the file system's own journal.
void syncDirectoryOf(const fs::path&) {}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}

}  // namespace wyn
