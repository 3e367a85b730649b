#include "base/platform_profile.h"

namespace wyn {

PlatformProfile PlatformProfile::windows() {
    PlatformProfile profile;
    profile.style = PathStyle::Windows;
    profile.defaultGameDirectory = "c:\\quake2";
    return profile;
}

PlatformProfile PlatformProfile::posix() {
    PlatformProfile profile;
    profile.defaultGameDirectory = "/usr/local/games/quake2";
    return profile;
}

std::string PlatformProfile::path(std::string_view directory,
                                  std::initializer_list<std::string_view> parts) const {
    std::string result(directory);
    for (const auto part : parts) {
        result += separator();
        result += part;
    }
    return result;
}

bool PlatformProfile::isAbsolute(std::string_view path) const {
    if (style == PathStyle::Posix) {
        return path.starts_with('/');
    }
    const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    if (!path.empty() && isSeparator(path.front())) {
        return true;
    }
    const bool letter = path.size() >= 3 &&
                        ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
    return letter && path[1] == ':' && isSeparator(path[2]);
}

}  // namespace wyn
