#include "content/installation_search.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>

#include "base/errors.h"
#include "base/file_system.h"
#include "base/text.h"
#include "base/text_file.h"
#include "engine/engine_folders.h"

namespace wyn {

namespace {

namespace fs = std::filesystem;

// A libraryfolders.vdf is a few kilobytes; anything much larger is not one.
constexpr std::uintmax_t kMaxLibraryFileSize = 1024u * 1024u;
constexpr std::size_t kMaxVdfDepth = 32;

// The tokens of Valve's key-value text: quoted or bare strings and braces.
class VdfTokens {
public:
    enum class Kind { String, Open, Close, End };
    struct Token {
        Kind kind;
        std::string text;
        bool quoted = false;
    };

    explicit VdfTokens(std::string_view text) : m_text(text) {}

    // Nothing when the text is damaged (a string that does not end).
    std::optional<Token> next() {
        skipBlanksAndComments();
        if (m_at == m_text.size()) {
            return Token{Kind::End, {}};
        }
        const char c = m_text[m_at];
        if (c == '{' || c == '}') {
            ++m_at;
            return Token{c == '{' ? Kind::Open : Kind::Close, {}};
        }
        if (c == '"') {
            return quoted();
        }
        const std::size_t start = m_at;
        while (m_at < m_text.size() && !isBlank(m_text[m_at]) &&
               std::string_view("{}\"").find(m_text[m_at]) == std::string_view::npos) {
            ++m_at;
        }
        return Token{Kind::String, std::string(m_text.substr(start, m_at - start))};
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skipBlanksAndComments() {
        while (m_at < m_text.size()) {
            if (isBlank(m_text[m_at])) {
                ++m_at;
            } else if (m_text.substr(m_at, 2) == "//") {
                const auto end = m_text.find('\n', m_at);
                m_at = end == std::string_view::npos ? m_text.size() : end;
            } else {
                return;
            }
        }
    }

    std::optional<Token> quoted() {
        std::string text;
        for (++m_at; m_at < m_text.size(); ++m_at) {
            char c = m_text[m_at];
            if (c == '"') {
                ++m_at;
                return Token{Kind::String, std::move(text), true};
            }
            if (c == '\\' && m_at + 1 < m_text.size()) {
                const char escaped = m_text[++m_at];
                c = escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
                if (escaped != '\\' && escaped != '"' && escaped != 'n' && escaped != 't') {
                    text += '\\';
                }
            }
            text += c;
        }
        return std::nullopt;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string knownEngineName(const Engine& engine) {
    return isKnownEngine(engine) ? std::string(engineName(engine)) : std::string();
}

// The candidates in the order they are offered, each checked and listed once.
class Candidates {
public:
    Candidates(const SearchEnvironment& environment, const PlatformProfile& profile)
        : m_environment(environment), m_profile(profile) {}

    // engine and program: the launcher a directory was found through, which
    // starts its game; otherwise the directory's own programs tell.
    void add(const std::string& directory, const std::string& engine = {},
             const std::string& program = {}) {
        if (directory.empty() || m_found.size() >= kMaxFound) {
            return;
        }
        const std::string full = m_profile.isAbsolute(directory)
                                     ? directory
                                     : m_profile.path(m_environment.currentDirectory, {directory});
        if (!directoryExists(m_profile.path(full, {"baseq2"}))) {
            return;
        }
        std::string real = realPath(full);
        // Windows compares names without case: "C:\Quake2" is c:\quake2.
        if (m_profile.namesIgnoreCase()) {
            real = toLower(real);
        }
        if (real.empty()) {
            return;
        }
        if (const auto seen = m_seen.find(real); seen != m_seen.end()) {
            // Listed before without a game program: the launcher starts it.
            if (auto& listed = m_found[seen->second];
                listed.installation == Installation::None && !program.empty()) {
                listed = found(listed.directory, engine, program);
            }
            return;
        }
        m_seen.emplace(real, m_found.size());
        m_found.push_back(found(full, engine, program));
    }

    std::vector<FoundInstallation> take() { return std::move(m_found); }

private:
    // The directory's own game program comes before the launcher, and the
    // engine named is the one of the program that starts the game.
    FoundInstallation found(const std::string& directory, const std::string& engine,
                            const std::string& launcher) const {
        if (const auto own = CheckInstallation(directory, m_profile);
            own != Installation::None || launcher.empty()) {
            return {directory, own, knownEngineName(installedEngine(directory, m_profile))};
        }
        return {directory, CheckInstallation(directory, launcher, m_profile), engine, launcher};
    }

    // Bounds the list whatever PATH and the library files hold.
    static constexpr std::size_t kMaxFound = 256;

    const SearchEnvironment& m_environment;
    const PlatformProfile& m_profile;
    std::map<std::string, std::size_t> m_seen;
    std::vector<FoundInstallation> m_found;
};

// The folders a Windows installation is usually in are others.
bool isWindows(const PlatformProfile& profile) {
    return profile.style == PathStyle::Windows;
}

bool isProgram(const std::string& path, const PlatformProfile& profile) {
    if (!fileExists(path)) {
        return false;
    }
    if (!profile.programsNeedPermission()) {
        return true;
    }
    std::error_code ec;
    const auto permissions = fs::status(fileSystemPath(path), ec).permissions();
    return !ec && (permissions & (fs::perms::owner_exec | fs::perms::group_exec |
                                  fs::perms::others_exec)) != fs::perms::none;
}

// The real directory of each game program on PATH.
std::vector<std::string> programDirectories(const SearchEnvironment& environment,
                                            const PlatformProfile& profile) {
    const char listSeparator = profile.pathListSeparator();
    std::vector<std::string> searched;
    for (std::size_t start = 0; start <= environment.path.size();) {
        auto end = environment.path.find(listSeparator, start);
        if (end == std::string::npos) {
            end = environment.path.size();
        }
        // An empty entry is the current directory, which comes earlier anyway.
        if (end > start) {
            searched.push_back(environment.path.substr(start, end - start));
        }
        start = end + 1;
    }
    std::vector<std::string> directories;
    for (const auto& name : engineProgramNames(profile, false)) {
        for (const auto& directory : searched) {
            const std::string full = profile.isAbsolute(directory)
                                         ? directory
                                         : profile.path(environment.currentDirectory, {directory});
            const std::string path = profile.path(full, {name});
            if (isProgram(path, profile)) {
                if (const auto real = realPath(path); !real.empty()) {
                    directories.push_back(pathText(fileSystemPath(real).parent_path()));
                }
            }
        }
    }
    return directories;
}

// The game data folders the installed launchers start their engines on:
// the distributions' wrappers and links, and the launchers Flatpak exports
// (the user's and the system's), each with its engine's name and the
// launcher, which is the game's program there.
struct LaunchedFolder {
    std::string folder;
    std::string engine;
    std::string launcher;
};

std::vector<LaunchedFolder> launcherInstallations(const SearchEnvironment& environment,
                                                  const PlatformProfile& profile) {
    if (isWindows(profile)) {
        return {};
    }
    const EngineEnvironment engines{"", environment.home, "", profile};
    std::vector<LaunchedFolder> found;
    for (const auto& launcher : engineLaunchers(environment.home, environment.root)) {
        if (!isProgram(launcher, profile)) {
            continue;
        }
        const auto engine = recogniseEngine(launcher);
        if (auto folder = engineInstallationFolder(engine, engines); !folder.empty()) {
            found.push_back({std::move(folder), knownEngineName(engine), launcher});
        }
    }
    return found;
}

std::vector<std::string> usualFolders(const SearchEnvironment& environment,
                                      const PlatformProfile& profile) {
    std::vector<std::string> folders;
    if (isWindows(profile)) {
        folders.push_back("c:\\quake2");
        for (const auto& programFiles : environment.programFilesFolders) {
            folders.push_back(profile.path(programFiles, {"Quake II"}));
            folders.push_back(profile.path(programFiles, {"Quake2"}));
        }
        for (const auto& drive : environment.fixedDrives) {
            // "d:\" and "d:" both give "d:\quake2".
            std::string root = drive;
            if (!root.empty() && (root.back() == '\\' || root.back() == '/')) {
                root.pop_back();
            }
            folders.push_back(profile.path(root, {"quake2"}));
        }
        return folders;
    }
    if (!environment.home.empty()) {
        folders = usualUserFolders(environment.home, profile);
        for (const char* folder : {"quake2", "games/quake2"}) {
            folders.push_back(profile.path(environment.home, {folder}));
        }
    }
    for (const char* folder : {"/usr/share/games/quake2", "/usr/local/share/games/quake2",
                               "/usr/local/games/quake2", "/opt/quake2"}) {
        folders.push_back(environment.root + folder);
    }
    return folders;
}

std::vector<std::string> steamLibraries(const SearchEnvironment& environment,
                                        const PlatformProfile& profile) {
    std::vector<std::string> steamFolders = environment.steamFolders;
    if (!isWindows(profile) && !environment.home.empty()) {
        for (const char* folder : {".local/share/Steam", ".steam/steam",
                                   ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
            steamFolders.push_back(profile.path(environment.home, {folder}));
        }
    }
    std::vector<std::string> libraries;
    for (const auto& steam : steamFolders) {
        libraries.push_back(steam);
        const std::string file = profile.path(steam, {"steamapps", "libraryfolders.vdf"});
        std::error_code ec;
        const auto size = fs::file_size(fileSystemPath(file), ec);
        if (ec || size > kMaxLibraryFileSize) {
            continue;
        }
        try {
            for (auto& library : steamLibraryFolders(readFileBytes(file))) {
                libraries.push_back(std::move(library));
            }
        } catch (const WynError&) {
            // An unreadable list names no library.
        }
    }
    return libraries;
}

}  // namespace

std::vector<std::string> steamLibraryFolders(std::string_view vdf) {
    std::vector<std::string> folders;
    std::vector<std::string> sections;
    std::optional<std::string> key;
    VdfTokens tokens(vdf);
    while (folders.size() < kMaxSteamLibraries) {
        const auto token = tokens.next();
        if (!token || token->kind == VdfTokens::Kind::End) {
            break;
        }
        if (token->kind == VdfTokens::Kind::Open) {
            if (!key || sections.size() == kMaxVdfDepth) {
                break;
            }
            sections.push_back(std::move(*key));
            key.reset();
        } else if (token->kind == VdfTokens::Kind::Close) {
            if (key || sections.empty()) {
                break;
            }
            sections.pop_back();
        } else if (!token->quoted && token->text.starts_with('[')) {
            // A platform condition after a value ("[$WIN32]"): no key, no value.
        } else if (!key) {
            key = token->text;
        } else {
            const bool older = sections.size() == 1 &&
                               equalsIgnoringCase(sections[0], "libraryfolders") && allDigits(*key);
            if ((equalsIgnoringCase(*key, "path") || older) && !token->text.empty()) {
                folders.push_back(token->text);
            }
            key.reset();
        }
    }
    return folders;
}

std::string engineLabel(const FoundInstallation& found) {
    return found.engine.empty() ? "engine unknown" : found.engine;
}

std::vector<FoundInstallation> findInstallations(const std::string& storedDirectory,
                                                 const SearchEnvironment& environment,
                                                 const PlatformProfile& profile) {
    Candidates candidates(environment, profile);
    candidates.add(storedDirectory);
    candidates.add(isWindows(profile) ? profile.defaultGameDirectory
                                      : environment.root + profile.defaultGameDirectory);
    candidates.add(environment.currentDirectory);
    for (const auto& directory : programDirectories(environment, profile)) {
        candidates.add(directory);
    }
    for (const auto& [folder, engine, launcher] : launcherInstallations(environment, profile)) {
        candidates.add(folder, engine, launcher);
    }
    for (const auto& folder : usualFolders(environment, profile)) {
        candidates.add(folder);
    }
    for (const auto& library : steamLibraries(environment, profile)) {
        const std::string game = profile.path(library, {"steamapps", "common", "Quake 2"});
        candidates.add(game);
        candidates.add(profile.path(game, {"rerelease"}));
    }
    for (const auto& folder : environment.gogFolders) {
        candidates.add(folder);
    }
    return candidates.take();
}

std::vector<FoundInstallation> fullInstallationsFirst(std::vector<FoundInstallation> found) {
    std::stable_partition(found.begin(), found.end(), [](const FoundInstallation& entry) {
        return entry.installation == Installation::Full;
    });
    return found;
}

}  // namespace wyn
