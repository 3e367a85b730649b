#include "engine/engine_folders.h"

#include <algorithm>
#include <fstream>

#include "base/file_system.h"
#include "engine/engine_table.h"

namespace wyn {

namespace {

bool sameFolder(const std::string& a, const std::string& b) {
    const auto real = realPath(a);
    return a == b || (!real.empty() && real == realPath(b));
}

bool isWindowsBuild(const Engine& engine) {
    return engine.format == ExecutableFormat::Pe;
}

std::string binaryFolder(const Engine& engine) {
    const auto slash = engine.program.find_last_of(isWindowsBuild(engine) ? "/\\" : "/");
    return slash == std::string::npos ? std::string() : engine.program.substr(0, slash);
}

// The folder the engine takes as its data folder when WYN names none; empty
// for the working directory.
std::string ownDataFolder(const Engine& engine) {
    switch (dataFolderRule(engineRow(engine.kind), isWindowsBuild(engine))) {
        case DataFolderRule::BinaryFolder:
            return binaryFolder(engine);
        case DataFolderRule::CompiledIn:
            return engine.dataFolder;
        case DataFolderRule::WorkingDirectory:
            break;
    }
    return {};
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
    const auto user = engineUserFolder(engine, environment);
    if (!user.empty()) {
        roots.push_back(user);
    }
    const auto binary = binaryFolder(engine);
    if (engineRow(engine.kind).readsBinaryFolder && !binary.empty() &&
        !sameFolder(binary, environment.gameDirectory)) {
        roots.push_back(binary);
    }
    roots.push_back(environment.gameDirectory);
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
    const auto own = ownDataFolder(engine);
    if (own.empty() || sameFolder(own, environment.gameDirectory)) {
        return {};
    }
    const auto& named = engineRow(engine.kind).dataFolderArguments;
    std::vector<std::string> arguments(named.begin(), named.end());
    arguments.push_back(environment.gameDirectory);
    return arguments;
}

std::optional<std::string> checkGameLibrary(const Engine& engine,
                                            const EngineEnvironment& environment,
                                            std::string_view mod) {
    if (engine.kind == EngineKind::Unknown) {
        return std::nullopt;
    }
    const auto& profile = environment.profile;
    auto folders = gameLibraryFolders(engine, environment, mod);
    const auto names = gameLibraryNames(engine, profile);
    for (const auto& folder : folders) {
        for (const auto& name : names) {
            const auto library = profile.path(folder, {name});
            if (fileExists(library) && whyLibraryUnfit(library, engine).empty()) {
                return std::nullopt;
            }
        }
    }
    const auto fallback =
        engine.fallbackLibrary.empty() ? "" : " (or " + engine.fallbackLibrary + ")";
    auto text = std::string(engineName(engine.kind)) + " needs the game library " +
                engine.gameLibrary + fallback + " in " + joined(folders, " or ");
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
    if (engine.kind != EngineKind::Unknown) {
        if (engine.fallbackLibrary.empty()) {
            return {engine.gameLibrary};
        }
        return {engine.gameLibrary, engine.fallbackLibrary};
    }
    const bool windows = profile.separator == '\\';
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
    return {recogniseEngine(program),
            {gameDirectory, profile.home, profile.xdgDataHome, profile, profile.documents}};
}

}  // namespace wyn
