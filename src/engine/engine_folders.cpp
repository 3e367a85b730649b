#include "engine/engine_folders.h"

#include <algorithm>
#include <fstream>

#include "base/file_system.h"
#include "engine/engine_table.h"
#include "engine/flatpak.h"

namespace wyn {

namespace {

bool sameFolder(const std::string& a, const std::string& b) {
    const auto real = realPath(a);
    return a == b || (!real.empty() && real == realPath(b));
}

bool isSandboxed(const Engine& engine) {
    return !engine.sandbox.appId.empty();
}

FlatpakUser flatpakUser(const EngineEnvironment& environment) {
    return {environment.home,         environment.xdgConfigHome, environment.xdgDataHome,
            environment.xdgCacheHome, environment.xdgRuntimeDir, environment.systemFlatpak};
}

// The Flatpak installations of the user, then of the system.
std::vector<std::string> flatpakInstallations(const EngineEnvironment& environment) {
    std::vector<std::string> installations;
    if (const auto user = userFlatpakInstallation(flatpakUser(environment)); !user.empty()) {
        installations.push_back(user);
    }
    installations.push_back(environment.systemFlatpak);
    return installations;
}

// Whether the sandbox shows a host folder at its own path.
bool sandboxShows(const Engine& engine, const EngineEnvironment& environment,
                  const std::string& folder) {
    return flatpakShows(engine.sandbox.appId, engine.sandbox.installation, flatpakUser(environment),
                        folder);
}

bool isWindowsBuild(const Engine& engine) {
    return engine.format == ExecutableFormat::Pe;
}

std::string binaryFolder(const Engine& engine) {
    const auto slash = engine.program.find_last_of(isWindowsBuild(engine) ? "/\\" : "/");
    return slash == std::string::npos ? std::string() : engine.program.substr(0, slash);
}

// The folder the engine takes as its data folder when WYN names none; empty
// for the working directory WYN gives.
std::string ownDataFolder(const Engine& engine) {
    if (!engine.namedDataFolder.empty()) {
        return engine.namedDataFolder;
    }
    switch (dataFolderRule(engineRow(engine.kind), isWindowsBuild(engine))) {
        case DataFolderRule::BinaryFolder:
            return binaryFolder(engine);
        case DataFolderRule::CompiledIn:
            // A portable build reads its working directory.
            return engine.dataFolder.empty() ? engine.workingDirectory : engine.dataFolder;
        case DataFolderRule::WorkingDirectory:
            return engine.workingDirectory;
    }
    return {};
}

// The folder an engine that cannot be told the game directory (no argument
// names it: id's Quake II) reads its data from instead, where a wrapper
// starts it; empty when that is the game directory, or WYN starts it there.
std::string untoldDataFolder(const Engine& engine, const EngineEnvironment& environment) {
    if (!engineRow(engine.kind).dataFolderArguments.empty() || !engine.namedDataFolder.empty() ||
        !engine.dataFolderChoices.empty()) {
        return {};
    }
    const auto own = ownDataFolder(engine);
    return own.empty() || sameFolder(own, environment.gameDirectory) ? std::string() : own;
}

// Enough of a library for either format's header.
std::string firstBytes(const std::string& path) {
    std::ifstream file(fileSystemPath(path), std::ios::binary);
    std::string bytes(std::max(kElfHeaderBytes, kPeHeaderBytes), '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

// Why the library at path does not fit the engine; empty when it does.
std::string whyLibraryUnfit(const std::string& path, const Engine& engine) {
    const auto bytes = firstBytes(path);
    return isWindowsBuild(engine) ? whyUnfit(bytes, engine.pe) : whyUnfit(bytes, engine.elf);
}

// "NAME.dll, built for Windows", "NAME.so, a 32-bit library", one for each
// game library of the folder.
std::vector<std::string> gameLibrariesIn(const std::string& folder, const Engine& engine,
                                         const PlatformProfile& profile) {
    std::vector<std::string> found;
    for (const auto* mask : {"game*.so", "game*.dll", "game*.dylib"}) {
        for (const auto& name : listFiles(folder, mask)) {
            const auto why = whyLibraryUnfit(profile.path(folder, {name}), engine);
            found.push_back(why.empty() ? name : name + ", " + why);
        }
    }
    return found;
}

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string text;
    for (const auto& item : items) {
        text += (text.empty() ? "" : std::string(separator)) + item;
    }
    return text;
}

}  // namespace

std::string engineUserFolder(const Engine& engine, const EngineEnvironment& environment) {
    const auto& home = environment.home;
    const auto& row = engineRow(engine.kind);
    const auto& profile = environment.profile;
    if (isWindowsBuild(engine)) {
        return environment.documents.empty() || row.documentsFolder.empty()
                   ? std::string()
                   : profile.path(environment.documents, {row.documentsFolder});
    }
    if (!row.sandboxUserFolder.empty()) {
        return home.empty() ? std::string()
                            : profile.path(flatpakAppHome(home, engine.sandbox.appId),
                                           {row.sandboxUserFolder});
    }
    if (engine.portable) {
        return {};
    }
    if (!engine.namedUserFolder.empty()) {
        const std::string_view named = engine.namedUserFolder;
        if (!named.starts_with("~/")) {
            return engine.namedUserFolder;
        }
        return home.empty() ? std::string() : profile.path(home, {named.substr(2)});
    }
    if (home.empty() || row.userFolder.empty()) {
        return {};
    }
    if (row.userFolderCompiledIn) {
        const std::string_view compiled = engine.homeFolder;
        return compiled.starts_with("~/") ? profile.path(home, {compiled.substr(2)})
                                          : std::string(compiled);
    }
    const auto hidden = profile.path(home, {row.userFolder});
    if (!engine.xdg || directoryExists(hidden)) {
        return hidden;
    }
    return environment.xdgDataHome.empty()
               ? profile.path(home, {".local", "share", row.xdgUserFolder})
               : profile.path(environment.xdgDataHome, {row.xdgUserFolder});
}

std::vector<std::string> engineRoots(const Engine& engine, const EngineEnvironment& environment) {
    std::vector<std::string> roots;
    const auto add = [&roots](const std::string& folder) {
        if (!folder.empty() && std::ranges::none_of(roots, [&folder](const std::string& root) {
                return sameFolder(root, folder);
            })) {
            roots.push_back(folder);
        }
    };
    // A wrapper that names the data folder has the last word on it, and of
    // the folders it chooses from, the game directory is the one the player
    // chose; an engine that cannot be told the game directory reads its own;
    // a sandbox reads only the folders it shows.
    std::vector<std::string> data;
    const auto& game = environment.gameDirectory;
    const auto& choices = engine.dataFolderChoices;
    if (!engine.namedDataFolder.empty()) {
        data.push_back(engine.namedDataFolder);
    } else if (!choices.empty()) {
        const bool chosen = std::ranges::any_of(
            choices, [&game](const std::string& folder) { return sameFolder(folder, game); });
        data = chosen ? std::vector{game} : choices;
    } else if (const auto own = untoldDataFolder(engine, environment); !own.empty()) {
        data.push_back(own);
    } else if (!isSandboxed(engine) || sandboxShows(engine, environment, game)) {
        data.push_back(game);
    }
    add(engineUserFolder(engine, environment));
    // The binary's folder as the game directory, when it is that one.
    if (const auto binary = binaryFolder(engine);
        engineRow(engine.kind).readsBinaryFolder &&
        std::ranges::none_of(
            data, [&binary](const std::string& folder) { return sameFolder(binary, folder); })) {
        add(binary);
    }
    for (const auto& folder : data) {
        add(folder);
    }
    add(engine.systemFolder);
    if (roots.empty()) {
        roots.push_back(environment.gameDirectory);
    }
    return roots;
}

std::vector<std::string> gameLibraryFolders(const Engine& engine,
                                            const EngineEnvironment& environment,
                                            std::string_view mod) {
    const auto& profile = environment.profile;
    std::vector<std::string> folders;
    if (engineRow(engine.kind).libraryFolders == LibraryFolderRule::EachRoot) {
        for (const auto& root : engineRoots(engine, environment)) {
            folders.push_back(profile.path(root, {mod}));
        }
        return folders;
    }
    if (const auto user = engineUserFolder(engine, environment); !user.empty()) {
        folders.push_back(profile.path(user, {mod}));
    }
    const auto own = ownDataFolder(engine);
    const auto& portable = own.empty() ? environment.gameDirectory : own;
    folders.push_back(profile.path(engine.systemWide ? engine.libraryFolder : portable, {mod}));
    return folders;
}

std::vector<std::string> engineSearchPath(const Engine& engine,
                                          const EngineEnvironment& environment,
                                          std::string_view mod) {
    const auto roots = engineRoots(engine, environment);
    std::vector<std::string> path;
    for (const auto game : {mod, kBaseGame}) {
        for (const auto& root : roots) {
            const auto folder = environment.profile.path(root, {game});
            if (std::find(path.begin(), path.end(), folder) == path.end()) {
                path.push_back(folder);
            }
        }
    }
    return path;
}

std::string engineScriptsFolder(const Engine& engine, const EngineEnvironment& environment) {
    return engineSearchPath(engine, environment, kAddOnFolder).front();
}

std::vector<std::string> startArguments(const Engine& engine,
                                        const EngineEnvironment& environment) {
    const auto& game = environment.gameDirectory;
    const auto own = ownDataFolder(engine);
    const auto user = engineUserFolder(engine, environment);
    const auto& named = engineRow(engine.kind).dataFolderArguments;
    // Nothing that would contradict a wrapper's folder, nothing a sandbox
    // cannot read, nothing for a folder the engine reads anyway, nothing to
    // an engine no argument tells (checkGameDirectoryReach says so).
    if (!engine.namedDataFolder.empty() || !engine.dataFolderChoices.empty() || named.empty() ||
        (isSandboxed(engine) && !sandboxShows(engine, environment, game)) ||
        (!user.empty() && sameFolder(user, game)) ||
        (!engine.systemFolder.empty() && sameFolder(engine.systemFolder, game)) || own.empty() ||
        sameFolder(own, game)) {
        return {};
    }
    std::vector<std::string> arguments(named.begin(), named.end());
    arguments.push_back(game);
    return arguments;
}

StartCommand startCommand(const Engine& engine, const EngineEnvironment& environment,
                          const std::string& program, bool endsWithStarter) {
    StartCommand command{program, {}};
    if (isSandboxed(engine)) {
        // flatpak run becomes bubblewrap, which a signal ends without the
        // engine: one that waits for the game has the sandbox end with it.
        command.program = engine.sandbox.flatpak;
        command.arguments = {"run"};
        if (endsWithStarter) {
            command.arguments.emplace_back("--die-with-parent");
        }
        for (const auto& option : engine.sandbox.runOptions) {
            if (option != "--die-with-parent") {
                command.arguments.push_back(option);
            }
        }
        command.arguments.push_back(engine.sandbox.appId);
    }
    const auto named = startArguments(engine, environment);
    command.arguments.insert(command.arguments.end(), named.begin(), named.end());
    return command;
}

std::optional<std::string> checkGameDirectoryReach(const Engine& engine,
                                                   const EngineEnvironment& environment) {
    const auto& game = environment.gameDirectory;
    if (const auto own = untoldDataFolder(engine, environment); !own.empty()) {
        return std::string(engineName(engine.kind)) + " reads its game data from " + own +
               ", where its wrapper starts it, and cannot be told another folder: choose " + own +
               " as the game directory.";
    }
    if (!isSandboxed(engine) || sandboxShows(engine, environment, game)) {
        return std::nullopt;
    }
    // No grant shows a folder the sandbox has of its own (/usr...).
    const bool grantable = flatpakMayShow(game);
    const auto text = std::string(engineName(engine)) + " runs in a sandbox that cannot read " +
                      game + (grantable ? "" : ", a folder the sandbox has of its own") +
                      ". Put the game data and the add-on (baseq2 and " +
                      std::string(kAddOnFolder) + ") into " + engineUserFolder(engine, environment);
    if (!grantable) {
        return text + ".";
    }
    const bool plain = game.find_first_of(" '\"$\\`!*?[]&;|<>(){}~#") == std::string::npos;
    return text +
           ", or let the engine read the game directory: flatpak override --user --filesystem=" +
           (plain ? game : "'" + game + "'") + " " + engine.sandbox.appId;
}

std::string engineInstallationFolder(const Engine& engine, const EngineEnvironment& environment) {
    if (isSandboxed(engine)) {
        return engineUserFolder(engine, environment);
    }
    if (!engine.dataFolderChoices.empty()) {
        const auto found = std::ranges::find_if(engine.dataFolderChoices, directoryExists);
        return found == engine.dataFolderChoices.end() ? std::string() : *found;
    }
    return engine.namedDataFolder.empty() ? engine.systemFolder : engine.namedDataFolder;
}

GameLibraryFit gameLibraryFit(const Engine& engine, const EngineEnvironment& environment,
                              std::string_view mod) {
    const auto& profile = environment.profile;
    GameLibraryFit fit{gameLibraryFolders(engine, environment, mod),
                       gameLibraryNames(engine, profile)};
    for (const auto& folder : fit.folders) {
        for (const auto& name : fit.names) {
            const auto library = profile.path(folder, {name});
            if (fileExists(library) &&
                (!isKnownEngine(engine) || whyLibraryUnfit(library, engine).empty())) {
                fit.fits = true;
                return fit;
            }
        }
    }
    return fit;
}

std::optional<std::string> checkGameLibrary(const Engine& engine,
                                            const EngineEnvironment& environment,
                                            std::string_view mod) {
    if (!isKnownEngine(engine)) {
        return std::nullopt;
    }
    auto fit = gameLibraryFit(engine, environment, mod);
    if (fit.fits) {
        return std::nullopt;
    }
    auto& folders = fit.folders;
    const auto& profile = environment.profile;
    const auto fallback =
        engine.fallbackLibrary.empty() ? "" : " (or " + engine.fallbackLibrary + ")";
    auto text = std::string(engineName(engine)) + " needs the game library " + engine.gameLibrary +
                fallback + " in " + joined(folders, " or ");
    // What the folders hold instead, and the mod folder of the game directory,
    // where the add-on is installed.
    const auto named = folders.size();
    folders.push_back(profile.path(environment.gameDirectory, {mod}));
    std::vector<std::string> holders;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const auto& folder = folders[i];
        const auto libraries = gameLibrariesIn(folder, engine, profile);
        if (libraries.empty() ||
            std::find(folders.begin(), folders.begin() + i, folder) != folders.begin() + i) {
            continue;
        }
        const auto who = named == 1 && folder == folders.front() ? "the folder" : folder;
        holders.push_back(who + " holds " + joined(libraries, ", and "));
    }
    return text + (holders.empty() ? "" : "; " + joined(holders, "; ")) + ".";
}

std::vector<std::string> gameLibraryNames(const Engine& engine, const PlatformProfile& profile) {
    if (isKnownEngine(engine)) {
        if (engine.fallbackLibrary.empty()) {
            return {engine.gameLibrary};
        }
        return {engine.gameLibrary, engine.fallbackLibrary};
    }
    const bool windows = profile.style == PathStyle::Windows;
    std::vector<std::string> names;
    for (const auto& row : engineRows()) {
        for (const auto& library : row.libraries) {
            const std::string name(windows ? library.windows : library.posix);
            if (std::ranges::find(names, name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

std::vector<std::string> windowsGameLibraryNames() {
    std::vector<std::string> names;
    for (const auto& row : engineRows()) {
        for (const auto& library : row.libraries) {
            if (std::ranges::find(names, library.windows) == names.end()) {
                names.emplace_back(library.windows);
            }
        }
    }
    return names;
}

std::vector<std::string> usualUserFolders(const std::string& home, const PlatformProfile& profile) {
    std::vector<std::string> folders;
    for (const auto& row : engineRows()) {
        if (!home.empty() && !row.userFolder.empty()) {
            folders.push_back(profile.path(home, {row.userFolder}));
        }
    }
    return folders;
}

GameEngine gameEngineAt(const std::string& program, const std::string& gameDirectory,
                        const PlatformProfile& profile) {
    GameEngine game{recogniseEngine(program),
                    {gameDirectory, profile.home, profile.xdgDataHome, profile, profile.documents,
                     profile.xdgConfigHome, profile.xdgCacheHome, profile.xdgRuntimeDir}};
    if (isSandboxed(game.engine) && game.engine.program.empty()) {
        game.engine =
            withAppProgram(std::move(game.engine), flatpakInstallations(game.environment));
    }
    return game;
}

}  // namespace wyn
