#include "engine/flatpak.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/file_system.h"
#include "base/text_file.h"

namespace wyn {

namespace {

namespace fs = std::filesystem;

// Metadata, overrides and user-dirs.dirs are a few lines: a larger file is
// none of them.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

std::string settingsText(const std::string& path) {
    std::ifstream in(fileSystemPath(path), std::ios::binary);
    std::string bytes(kMaxSettingsBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes.size() > kMaxSettingsBytes ? std::string() : bytes;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmedStart(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view trimmedEnd(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A path with "." and ".." taken out and no separator at its end, as Flatpak
// keys a grant: "/games/" and "/games" are one grant.
std::string normalPath(std::string_view path) {
    auto text = pathText(fileSystemPath(path).lexically_normal());
    while (text.size() > 1 && text.ends_with('/')) {
        text.pop_back();
    }
    return text == "." ? std::string() : text;
}

// A folder by its real path; one that is not there yet by its name.
std::string resolved(const std::string& folder) {
    auto real = realPath(folder);
    return real.empty() ? normalPath(folder) : real;
}

// The folders Flatpak names "xdg-..." after the freedesktop.org special
// folders, with the key of each in user-dirs.dirs, and after the base folders.
constexpr std::pair<std::string_view, std::string_view> kSpecialFolders[] = {
    {"xdg-desktop", "XDG_DESKTOP_DIR"},     {"xdg-documents", "XDG_DOCUMENTS_DIR"},
    {"xdg-download", "XDG_DOWNLOAD_DIR"},   {"xdg-music", "XDG_MUSIC_DIR"},
    {"xdg-pictures", "XDG_PICTURES_DIR"},   {"xdg-public-share", "XDG_PUBLICSHARE_DIR"},
    {"xdg-templates", "XDG_TEMPLATES_DIR"}, {"xdg-videos", "XDG_VIDEOS_DIR"},
};
constexpr std::string_view kBaseFolders[] = {"xdg-config", "xdg-data", "xdg-cache", "xdg-run"};

bool isXdgName(std::string_view name) {
    return std::ranges::find(kBaseFolders, name) != std::end(kBaseFolders) ||
           std::ranges::find(kSpecialFolders, name,
                             &std::pair<std::string_view, std::string_view>::first) !=
               std::end(kSpecialFolders);
}

// One grant as Flatpak keys it ("~" and "home" are one, "home/x" is "~/x"),
// and whether it shows or hides; nothing for one Flatpak refuses. A suffix
// says how the folder is shown (":ro", ":rw", ":create"), not whether.
struct Grant {
    std::string key;
    bool shown = true;
};

std::optional<Grant> parseGrant(std::string_view entry) {
    Grant grant;
    if (entry.starts_with('!')) {
        grant.shown = false;
        entry.remove_prefix(1);
    }
    if (const auto colon = entry.rfind(':');
        colon != std::string_view::npos && entry.find('/', colon) == std::string_view::npos) {
        const auto suffix = entry.substr(colon + 1);
        if (suffix != "ro" && suffix != "rw" && suffix != "create") {
            return std::nullopt;
        }
        entry = entry.substr(0, colon);
    }
    const auto slash = entry.find('/');
    const auto name = entry.substr(0, slash);
    const auto rest =
        slash == std::string_view::npos ? std::string() : normalPath(entry.substr(slash + 1));
    if (entry == "host" || entry == "host-os" || entry == "host-etc") {
        grant.key = entry;
    } else if (name == "~" || name == "home") {
        grant.key = rest.empty() ? "home" : "~/" + rest;
    } else if (entry.starts_with('/')) {
        grant.key = normalPath(entry);
    } else if (isXdgName(name) && !(name == "xdg-run" && rest.empty())) {
        grant.key = std::string(name) + (rest.empty() ? "" : "/" + rest);
    } else {
        return std::nullopt;
    }
    return grant;
}

// What the layers say of each grant, later layers replacing earlier ones; a
// "!host:reset" drops what the layers before it granted.
using Grants = std::map<std::string, bool>;

void applyLayer(Grants& grants, const std::string& file) {
    Grants layer;
    bool reset = false;
    for (const auto& entry : flatpakFilesystems(settingsText(file))) {
        if (entry == "!host:reset") {
            reset = true;
            layer["host"] = false;
        } else if (const auto grant = parseGrant(entry)) {
            layer[grant->key] = grant->shown;
        }
    }
    if (reset) {
        grants.clear();
    }
    for (const auto& [key, shown] : layer) {
        grants[key] = shown;
    }
}

// The files whose grants the sandbox gets, in the order Flatpak applies them.
std::vector<std::string> grantFiles(const std::string& appId, const std::string& installation,
                                    const FlatpakUser& user) {
    std::vector<std::string> files;
    if (!installation.empty()) {
        files.push_back(flatpakAppFolder(installation, appId) + "/metadata");
    }
    const auto userInstallation = userFlatpakInstallation(user);
    // The system's overrides count for the apps of the system's installation.
    if (installation.empty() || userInstallation.empty() ||
        resolved(installation) != resolved(userInstallation)) {
        files.push_back(user.systemInstallation + "/overrides/global");
        files.push_back(user.systemInstallation + "/overrides/" + appId);
    }
    if (!userInstallation.empty()) {
        files.push_back(userInstallation + "/overrides/global");
        files.push_back(userInstallation + "/overrides/" + appId);
    }
    return files;
}

std::string orDefault(const std::string& folder, const std::string& home, const char* relative) {
    return !folder.empty() || home.empty() ? folder : home + "/" + relative;
}

// The host folder a grant names; nothing for the whole host's grants and
// for an XDG folder that is not there or is the home itself (Flatpak would
// not give the whole home for it).
std::optional<std::string> grantedFolder(const std::string& key, const FlatpakUser& user,
                                         const std::map<std::string, std::string>& special) {
    if (key.starts_with('/')) {
        return key;
    }
    if (user.home.empty()) {
        return std::nullopt;
    }
    if (key == "home") {
        return user.home;
    }
    if (key.starts_with("~/")) {
        return user.home + key.substr(1);
    }
    if (!key.starts_with("xdg-")) {
        return std::nullopt;
    }
    const auto slash = key.find('/');
    const std::string_view name = std::string_view(key).substr(0, slash);
    std::string base;
    if (const auto found = special.find(std::string(name)); found != special.end()) {
        base = found->second;
    } else if (name == "xdg-config") {
        base = orDefault(user.configHome, user.home, ".config");
    } else if (name == "xdg-data") {
        base = orDefault(user.dataHome, user.home, ".local/share");
    } else if (name == "xdg-cache") {
        base = orDefault(user.cacheHome, user.home, ".cache");
    } else if (name == "xdg-run") {
        base = user.runtimeDir;
    }
    if (base.empty() || base == user.home) {
        return std::nullopt;
    }
    return slash == std::string::npos ? base : base + key.substr(slash);
}

bool isWithin(std::string_view folder, std::string_view root) {
    while (root.size() > 1 && root.ends_with('/')) {
        root.remove_suffix(1);
    }
    return folder == root || (folder.starts_with(root) && folder.size() > root.size() &&
                              (folder[root.size()] == '/' || root == "/"));
}

// The sandbox's own folders, which hide the host's whatever is granted.
constexpr std::string_view kSandboxFolders[] = {
    "/.flatpak-info", "/app",  "/bin",         "/dev",      "/etc",  "/lib", "/lib32",
    "/lib64",         "/proc", "/run/flatpak", "/run/host", "/sbin", "/sys", "/usr"};
// What "host" leaves out of the root's folders besides those: the sandbox
// has a /tmp, /var and /run of its own.
constexpr std::string_view kNotInHost[] = {"boot", "efi", "root", "run", "tmp", "var"};

// A host folder the sandbox shows or hides, by its real path.
struct Export {
    std::string folder;
    bool shown;
};

void addExport(std::vector<Export>& exports, const std::string& folder, bool shown) {
    if (auto real = realPath(folder); !real.empty()) {
        exports.push_back({std::move(real), shown});
    }
}

void addHost(std::vector<Export>& exports) {
    std::error_code ec;
    for (fs::directory_iterator it("/", ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        const auto name = pathText(it->path().filename());
        const auto path = "/" + name;
        if (std::ranges::find(kNotInHost, name) == std::end(kNotInHost) &&
            std::ranges::none_of(kSandboxFolders,
                                 [&](std::string_view own) { return isWithin(path, own); })) {
            addExport(exports, path, true);
        }
    }
    addExport(exports, "/run/media", true);
}

}  // namespace

std::vector<std::string> flatpakFilesystems(std::string_view keyFile) {
    std::string group;
    std::string value;
    for (const auto& text : splitLines(keyFile)) {
        const auto line = trimmedStart(text);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            group = trimmedEnd(line);
            continue;
        }
        const auto equals = line.find('=');
        if (group == "[Context]" && equals != std::string_view::npos &&
            trimmedEnd(line.substr(0, equals)) == "filesystems") {
            value = trimmedStart(line.substr(equals + 1));
        }
    }
    std::vector<std::string> items(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ';') {
            items.emplace_back();
        } else if (c == '\\' && i + 1 < value.size()) {
            const char escaped = value[++i];
            items.back() += escaped == 's'   ? ' '
                            : escaped == 't' ? '\t'
                            : escaped == 'n' ? '\n'
                            : escaped == 'r' ? '\r'
                                             : escaped;
        } else {
            items.back() += c;
        }
    }
    std::erase(items, std::string());
    return items;
}

std::map<std::string, std::string> specialFolders(std::string_view userDirs,
                                                  const std::string& home) {
    std::map<std::string, std::string> folders{{"xdg-desktop", home + "/Desktop"}};
    for (const auto& text : splitLines(userDirs)) {
        auto line = trimmedStart(text);
        const auto* special = std::ranges::find_if(
            kSpecialFolders, [&](const auto& folder) { return line.starts_with(folder.second); });
        if (special == std::end(kSpecialFolders)) {
            continue;
        }
        line = trimmedStart(line.substr(special->second.size()));
        if (!line.starts_with('=')) {
            continue;
        }
        line = trimmedStart(line.substr(1));
        const auto end = line.rfind('"');
        if (!line.starts_with('"') || end == 0) {
            continue;
        }
        auto value = line.substr(1, end - 1);
        const bool inHome = value.starts_with("$HOME");
        if (inHome) {
            value.remove_prefix(5);
        } else if (!value.starts_with('/')) {
            continue;
        }
        if (value.ends_with('/')) {
            value.remove_suffix(1);
        }
        while (inHome && value.starts_with('/')) {
            value.remove_prefix(1);
        }
        if (!inHome && value.empty()) {
            continue;  // "/" is left empty, which names no folder
        }
        folders[std::string(special->first)] =
            inHome ? (value.empty() ? home : home + "/" + std::string(value)) : std::string(value);
    }
    return folders;
}

bool isFlatpakProgram(std::string_view program) {
    return program == "flatpak" || program.ends_with("/flatpak");
}

std::string flatpakExportedLauncher(std::string_view installation, std::string_view appId) {
    return std::string(installation) + "/exports/bin/" + std::string(appId);
}

std::string flatpakInstallationOf(std::string_view launcher, std::string_view appId) {
    const std::string exported = flatpakExportedLauncher("", appId);
    return launcher.ends_with(exported)
               ? std::string(launcher.substr(0, launcher.size() - exported.size()))
               : std::string();
}

std::string flatpakAppFolder(std::string_view installation, std::string_view appId) {
    return std::string(installation) + "/app/" + std::string(appId) + "/current/active";
}

std::string flatpakAppHome(std::string_view home, std::string_view appId) {
    return std::string(home) + "/.var/app/" + std::string(appId);
}

std::string userFlatpakInstallation(const FlatpakUser& user) {
    const auto data = orDefault(user.dataHome, user.home, ".local/share");
    return data.empty() ? std::string() : data + "/flatpak";
}

bool flatpakMayShow(const std::string& folder) {
    const auto real = resolved(folder);
    return std::ranges::none_of(kSandboxFolders,
                                [&](std::string_view own) { return isWithin(real, own); });
}

bool flatpakShows(const std::string& appId, const std::string& installation,
                  const FlatpakUser& user, const std::string& folder) {
    if (!flatpakMayShow(folder)) {
        return false;
    }
    const auto real = resolved(folder);
    Grants grants;
    for (const auto& file : grantFiles(appId, installation, user)) {
        applyLayer(grants, file);
    }
    std::vector<Export> exports;
    const auto special =
        user.home.empty()
            ? std::map<std::string, std::string>()
            : specialFolders(settingsText(orDefault(user.configHome, user.home, ".config") +
                                          "/user-dirs.dirs"),
                             user.home);
    for (const auto& [key, shown] : grants) {
        if (key == "host" && shown) {
            addHost(exports);
        } else if (const auto granted = grantedFolder(key, user, special);
                   granted && (shown || key != "home")) {
            addExport(exports, *granted, shown);
        }
    }
    // Its own folder, which flatpak makes when the app first runs.
    if (!user.home.empty()) {
        exports.push_back({resolved(flatpakAppHome(user.home, appId)), true});
    }
    // The nearest folder decides; where one folder is both shown and hidden,
    // shown wins.
    const Export* nearest = nullptr;
    for (const auto& entry : exports) {
        if (isWithin(real, entry.folder) &&
            (nearest == nullptr || entry.folder.size() > nearest->folder.size() ||
             (entry.folder.size() == nearest->folder.size() && entry.shown))) {
            nearest = &entry;
        }
    }
    return nearest != nullptr && nearest->shown;
}

}  // namespace wyn
