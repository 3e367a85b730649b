// The core's system calls on Linux (and other POSIX systems): paths are the
// file system's bytes, files keep Unix owners and modes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_system.h"
#include "base/platform_profile.h"
#include "base/system.h"

namespace wyn {

namespace fs = std::filesystem;

const PlatformProfile& PlatformProfile::native() {
    static const PlatformProfile profile = posix();
    return profile;
}

fs::path fileSystemPath(std::string_view path) {
    return fs::path(path);
}

std::string pathText(const fs::path& path) {
    return path.native();
}

std::FILE* createNewFile(const fs::path& path) {
    return std::fopen(path.c_str(), "wbx");
}

// The set-id and sticky bits are not copied: rewritten text should not inherit
// them. File systems without Unix modes (a vfat game partition) refuse the
// change and fix the mode themselves.
void takeOwnerAndMode(std::FILE* file, const fs::path& target) {
    const int descriptor = fileno(file);
    struct stat old {};
    struct stat now {};
    if (::stat(target.c_str(), &old) != 0 || ::fstat(descriptor, &now) != 0) {
        return;  // a new file keeps the umask's mode
    }
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(descriptor, old.st_uid, old.st_gid) != 0) {
        // Not allowed: the file is this user's from now on.
    }
    ::fchmod(descriptor, old.st_mode & 0777);
}

bool syncToDisk(std::FILE* file) {
    return ::fsync(fileno(file)) == 0;
}

void syncDirectoryOf(const fs::path& target) {
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

}  // namespace wyn
