#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// What WYN knows of Flatpak, in one place: where it keeps apps, their
// exported launchers and their overrides, and what a sandbox shows.

// The system's installation, where `flatpak --system` installs.
inline constexpr std::string_view kSystemFlatpakInstallation = "/var/lib/flatpak";

// Whether a program is flatpak itself ("flatpak", "/usr/bin/flatpak").
bool isFlatpakProgram(std::string_view program);
// The launcher an installation exports for an app (INSTALLATION/exports/bin/APP).
std::string flatpakExportedLauncher(std::string_view installation, std::string_view appId);
// The installation whose exported launcher of the app this is; empty when it
// is none.
std::string flatpakInstallationOf(std::string_view launcher, std::string_view appId);
// The app's deployed files in an installation, named by its "current" link,
// which outlives the app's updates (INSTALLATION/app/APP/current/active).
std::string flatpakAppFolder(std::string_view installation, std::string_view appId);
// The app's own folder in the home (~/.var/app/APP), which the sandbox shows.
std::string flatpakAppHome(std::string_view home, std::string_view appId);

// Where Flatpak keeps a user's things and where it finds the folders its
// grants name, as it runs for that user: the home and the XDG base folders
// (empty: unknown, or the default below the home), passed in so that the core
// reads no environment.
struct FlatpakUser {
    std::string home = {};
    std::string configHome = {};  // $XDG_CONFIG_HOME; empty: ~/.config
    std::string dataHome = {};    // $XDG_DATA_HOME; empty: ~/.local/share
    std::string cacheHome = {};   // $XDG_CACHE_HOME; empty: ~/.cache
    std::string runtimeDir = {};  // $XDG_RUNTIME_DIR; empty: none
    std::string systemInstallation = std::string(kSystemFlatpakInstallation);
};

// The user's Flatpak installation ($XDG_DATA_HOME/flatpak); empty without a
// home.
std::string userFlatpakInstallation(const FlatpakUser& user);

// Whether the sandbox of the app, installed in the installation given
// (empty: unknown), shows a host folder at that folder's own path: its own
// folder in the home (~/.var/app/APP), and what the app's metadata and the
// overrides grant ("filesystems=" of [Context]), read as Flatpak applies them.
// Layers are read in Flatpak's order (the app's metadata, then for an app of
// a system installation the system's global and the app's overrides, then the
// user's), a later one replacing what an earlier said of the same grant. A
// negated grant ("!xdg-documents") hides the folder where a wider one shows
// its parent; the nearest grant to the folder decides. "host" shows all but the
// sandbox's own folders and the few Flatpak keeps out (/tmp, /var, /root...);
// "host-os" and "host-etc" show the host's /usr and /etc under /run/host,
// never at their own paths. Both sides are compared with their links resolved.
bool flatpakShows(const std::string& appId, const std::string& installation,
                  const FlatpakUser& user, const std::string& folder);

// The grants of a Flatpak key file (metadata, override): the items of the
// last "filesystems=" of its [Context], read as GLib reads a list (';'
// between them; "\;", "\s", "\t", "\n", "\r" and "\\" as escapes).
std::vector<std::string> flatpakFilesystems(std::string_view keyFile);

// The special folders a user-dirs.dirs names, by Flatpak's grant
// ("xdg-documents"), read as GLib reads it for Flatpak: KEY="$HOME/..." or
// KEY="/...". The desktop is ~/Desktop when the file names none; the others
// are then none.
std::map<std::string, std::string> specialFolders(std::string_view userDirs,
                                                  const std::string& home);

// Whether a grant could show the folder at its own path: it is none of the
// folders the sandbox has of its own (/usr, /etc, /app...).
bool flatpakMayShow(const std::string& folder);

}  // namespace wyn
