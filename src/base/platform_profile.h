#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace wyn {

// How a system writes paths and names programs: Windows' drive letters, '\'
// and names that ignore case, or POSIX's '/'.
enum class PathStyle { Posix, Windows };

// What differs between Windows and the other systems where the program shows
// or builds a path: the path style and the default game directory.
// Core functions take a profile, so the Windows texts can be checked on any
// machine; the programs pass the running system's (native(), filled in).
struct PlatformProfile {
    PathStyle style = PathStyle::Posix;
    std::string defaultGameDirectory;
    // The user's home and $XDG_DATA_HOME, and on Windows the Documents
    // folder, where engines keep their user folders; the programs fill them
    // in from the environment. Empty: unknown, and no user folder is looked at.
    std::string home;
    std::string xdgDataHome;
    std::string documents;
    // $XDG_CONFIG_HOME, $XDG_CACHE_HOME and $XDG_RUNTIME_DIR, where a Flatpak
    // sandbox finds the folders it is granted ("xdg-documents" is named in
    // the configuration folder's user-dirs.dirs). Empty: the defaults.
    std::string xdgConfigHome;
    std::string xdgCacheHome;
    std::string xdgRuntimeDir;

    static PlatformProfile windows();
    static PlatformProfile posix();
    // The running system's, without its environment (src/platform/system).
    static const PlatformProfile& native();

    // directory + separator + each part, separated: path(dir, {"vantor", "wyn.cfg"}).
    std::string path(std::string_view directory,
                     std::initializer_list<std::string_view> parts) const;

    // A program's full path: itself when it is one, else in the directory.
    std::string programPath(std::string_view directory, std::string_view program) const {
        return isAbsolute(program) ? std::string(program) : path(directory, {program});
    }

    // A full path: from the root ("/games/q2", on Windows "\\server\q2", "c:\q2").
    bool isAbsolute(std::string_view path) const;

    char separator() const { return style == PathStyle::Windows ? '\\' : '/'; }

    // Windows' paths begin with a drive ("c:"), its names ignore case, its
    // programs end in ".exe" and need no permission to run, and its PATH
    // separates folders with ';'.
    bool hasDrives() const { return style == PathStyle::Windows; }
    bool namesIgnoreCase() const { return style == PathStyle::Windows; }
    std::string_view programSuffix() const { return style == PathStyle::Windows ? ".exe" : ""; }
    bool programsNeedPermission() const { return style == PathStyle::Posix; }
    char pathListSeparator() const { return style == PathStyle::Windows ? ';' : ':'; }
};

}  // namespace wyn
