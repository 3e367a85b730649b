#include "base/platform_profile.h"

namespace wyn {

PlatformProfile PlatformProfile::windows() {
    return {'\\', "c:\\quake2", "quake2.exe"};
}

PlatformProfile PlatformProfile::posix() {
    return {'/', "/usr/local/games/quake2", "quake2"};
}

const PlatformProfile& PlatformProfile::native() {
#ifdef _WIN32
    static const PlatformProfile profile = windows();
#else
    static const PlatformProfile profile = posix();
#endif
    return profile;
}

std::string PlatformProfile::path(std::string_view directory,
                                  std::initializer_list<std::string_view> parts) const {
    std::string result(directory);
    for (const auto part : parts) {
        result += separator;
        result += part;
    }
    return result;
}

}  // namespace wyn
