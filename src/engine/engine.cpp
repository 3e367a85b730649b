#include "engine/engine.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>

#include "base/file_system.h"
#include "engine/engine_folders.h"
#include "engine/engine_table.h"
#include "engine/flatpak.h"
#include "engine/wrapper_script.h"

namespace wyn {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kScriptBytes = 8192;     // a wrapper is a few lines
constexpr std::size_t kMaxSections = 4096;     // real executables have a few dozen
constexpr std::size_t kMaxSectionEntry = 256;  // 64 bytes in every real one
constexpr std::size_t kMaxSectionNames = 65536;
constexpr std::size_t kMaxPeSections = 96;  // the most Windows loads
constexpr std::size_t kMaxString = 4096;    // a longer string is no path or marker
constexpr std::size_t kChunk = 1 << 16;
constexpr std::uint64_t kMaxScanned = std::uint64_t{256} << 20;
constexpr int kMaxWrappers = 4;

// Calls take(string) for each NUL-terminated string of the bytes fed, in
// pieces; strings longer than kMaxString are skipped. Only a string cut by the
// end of a piece is copied.
class StringScanner {
public:
    template <typename Take>
    void feed(std::string_view bytes, Take&& take) {
        while (!bytes.empty()) {
            const auto end = bytes.find('\0');
            const auto part = bytes.substr(0, end);
            if (end == std::string_view::npos) {
                keep(part);
                return;
            }
            if (m_string.empty() && !m_tooLong) {
                if (part.size() <= kMaxString) {
                    take(part);
                }
            } else {
                keep(part);
                if (!m_tooLong) {
                    take(std::string_view(m_string));
                }
                restart();
            }
            bytes.remove_prefix(end + 1);
        }
    }
    void restart() {
        m_string.clear();
        m_tooLong = false;
    }

private:
    void keep(std::string_view part) {
        m_tooLong = m_tooLong || m_string.size() + part.size() > kMaxString;
        if (!m_tooLong) {
            m_string += part;
        }
    }

    std::string m_string;
    bool m_tooLong = false;
};

// What the strings of an executable's read-only data say, for each row of
// the engine table: a fact counts only for the engine whose marker is found.
struct RowFacts {
    bool marker = false;
    bool xdg = false;
    std::string library;
    std::string home;
    std::string folders[2];  // compiled-in, in the order the build gives them
    std::string systemFolder;
};

// A folder's full path as a build compiles it in: no format, no spaces, none
// of the system's own folders.
bool isCompiledFolder(std::string_view text) {
    if (text.size() < 2 || !text.starts_with('/') || text.find("//") != std::string_view::npos) {
        return false;
    }
    for (const auto system : {"/dev/", "/proc/", "/sys/", "/etc/"}) {
        if (text.starts_with(system)) {
            return false;
        }
    }
    return std::ranges::all_of(text, [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '.' || c == '_' || c == '-' || c == '+';
    });
}

// A Windows build is looked at for its marker and its game library's name
// only: the other facts are a POSIX build's.
class Findings {
public:
    explicit Findings(bool windows) : m_rows(engineRows().size()), m_windows(windows) {
        for (const auto& row : engineRows()) {
            for (const auto start : {row.marker, windows ? std::string_view() : row.xdgMarker}) {
                if (!start.empty()) {
                    m_starts.set(static_cast<unsigned char>(start.front()));
                }
            }
            const std::pair<char, bool> others[] = {
                {kGameLibraryPrefix.front(), row.libraryNameInData},
                {'~', row.userFolderCompiledIn && !windows},
                {'/', (!row.compiledFolderEnd.empty() || row.systemFolderInData) && !windows}};
            for (const auto& [start, used] : others) {
                if (used) {
                    m_starts.set(static_cast<unsigned char>(start));
                }
            }
        }
    }

    // What one string of the read-only data tells. Most strings begin with
    // none of the characters a fact begins with, and are passed at once.
    void take(std::string_view text) {
        if (text.empty() || !m_starts.test(static_cast<unsigned char>(text.front()))) {
            return;
        }
        const auto rows = engineRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            takeFor(rows[i], text, m_rows[i]);
        }
    }

    // The facts of the first engine whose marker was found, added to what the
    // executable's header says; nothing of the others' strings.
    Engine engine(Engine header) const {
        const auto rows = engineRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (m_rows[i].marker) {
                return settle(rows[i], m_rows[i], std::move(header));
            }
        }
        return header;
    }

private:
    void takeFor(const EngineRow& row, std::string_view text, RowFacts& facts) const {
        if (row.marker.empty()) {
            return;
        }
        const bool posix = !m_windows;
        if (text.starts_with(row.marker)) {
            facts.marker = true;
        } else if (posix && !row.xdgMarker.empty() && text.starts_with(row.xdgMarker)) {
            facts.xdg = true;
        } else if (row.libraryNameInData && facts.library.empty() &&
                   isGameLibraryName(text, m_windows)) {
            facts.library = text;
        } else if (posix && row.userFolderCompiledIn && facts.home.empty() &&
                   text.starts_with("~/")) {
            facts.home = text;
        } else if (posix && !row.compiledFolderEnd.empty() && text.starts_with('/') &&
                   text.ends_with(row.compiledFolderEnd) && text != row.siteConfiguration &&
                   text.size() > row.compiledFolderEnd.size() && facts.folders[1].empty()) {
            (facts.folders[0].empty() ? facts.folders[0] : facts.folders[1]) = text;
        } else if (posix && row.systemFolderInData && facts.systemFolder.empty() &&
                   isCompiledFolder(text)) {
            facts.systemFolder = text;
        }
    }

    static Engine settle(const EngineRow& row, const RowFacts& facts, Engine engine) {
        engine.kind = row.kind;
        const bool windows = engine.format == ExecutableFormat::Pe;
        if (const auto* library =
                gameLibrary(row, windows ? engine.pe.machine : engine.elf.machine, windows)) {
            engine.gameLibrary = windows ? library->windows : library->posix;
            engine.fallbackLibrary = windows ? library->windowsFallback : std::string_view();
        }
        if (!facts.library.empty()) {
            engine.gameLibrary = facts.library;
        }
        engine.xdg = facts.xdg;
        engine.systemFolder = facts.systemFolder;
        engine.systemWide = !facts.folders[0].empty();
        if (engine.systemWide) {
            // The data folder comes before the library folder; one folder for
            // both when they are the same (the linker merges them).
            engine.dataFolder = facts.folders[0];
            engine.libraryFolder = facts.folders[1].empty() ? facts.folders[0] : facts.folders[1];
            if (engine.dataFolder.find("/lib") != std::string::npos &&
                engine.libraryFolder.find("/share") != std::string::npos) {
                std::swap(engine.dataFolder, engine.libraryFolder);
            }
            engine.homeFolder = facts.home;
        }
        return engine;
    }

    std::vector<RowFacts> m_rows;
    bool m_windows;
    std::bitset<256> m_starts;
};

// Feeds the strings of one section to found, in pieces; scanned counts the
// bytes of all sections read so far, which stop at kMaxScanned.
void scanSection(const ReadAt& read, std::uint64_t offset, std::uint64_t size,
                 std::uint64_t& scanned, Findings& found) {
    StringScanner scanner;
    for (std::uint64_t done = 0; done < size && scanned < kMaxScanned;) {
        const auto piece = read(
            offset + done, static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - done)));
        if (piece.empty()) {
            break;
        }
        scanner.feed(piece, [&](std::string_view text) { found.take(text); });
        done += piece.size();
        scanned += piece.size();
    }
}

void scanReadOnlyData(const ReadAt& read, const ElfHeader& header, Findings& found) {
    if (header.sectionCount == 0 || header.sectionCount > kMaxSections ||
        header.sectionEntrySize < (header.bits == 64 ? 64 : 40) ||
        header.sectionEntrySize > kMaxSectionEntry ||
        header.sectionNamesIndex >= header.sectionCount) {
        return;
    }
    const auto table =
        read(header.sectionTableOffset, std::size_t{header.sectionCount} * header.sectionEntrySize);
    const auto entry = [&](std::size_t index) {
        const auto at = index * header.sectionEntrySize;
        return at < table.size() ? readElfSection(std::string_view(table).substr(at), header)
                                 : std::nullopt;
    };
    const auto namesSection = entry(header.sectionNamesIndex);
    if (!namesSection) {
        return;
    }
    const auto names =
        read(namesSection->offset, std::min<std::uint64_t>(namesSection->size, kMaxSectionNames));
    std::uint64_t scanned = 0;
    for (std::size_t i = 0; i < header.sectionCount; ++i) {
        const auto section = entry(i);
        constexpr std::uint32_t kProgramBits = 1;
        if (!section || section->type != kProgramBits || section->name >= names.size() ||
            !std::string_view(names.c_str() + section->name).starts_with(".rodata")) {
            continue;
        }
        scanSection(read, section->offset, section->size, scanned, found);
    }
}

// A PE's strings are in .rdata; old Microsoft compilers, id's among them, put
// string literals in .data unless told to pool them read-only.
void scanReadOnlyData(const ReadAt& read, const PeHeader& header, Findings& found) {
    if (header.sectionCount == 0 || header.sectionCount > kMaxPeSections) {
        return;
    }
    const auto table =
        read(header.sectionTableOffset, std::size_t{header.sectionCount} * kPeSectionBytes);
    std::uint64_t scanned = 0;
    for (std::size_t at = 0; at < table.size(); at += kPeSectionBytes) {
        const auto section = readPeSection(std::string_view(table).substr(at));
        if (section && (section->name == ".rdata" || section->name == ".data")) {
            scanSection(read, section->offset, section->size, scanned, found);
        }
    }
}

struct FileStamp {
    std::uintmax_t size = 0;
    fs::file_time_type time;

    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const std::string& path) {
    std::error_code error;
    FileStamp stamp;
    const fs::path file = fileSystemPath(path);
    stamp.size = fs::file_size(file, error);
    if (!error) {
        stamp.time = fs::last_write_time(file, error);
    }
    return error ? std::nullopt : std::optional(stamp);
}

struct CacheEntry {
    FileStamp stamp;
    ExecutableFacts facts;
};

std::mutex g_cacheMutex;
std::map<std::string, CacheEntry> g_cache;
constexpr std::size_t kMaxCached = 64;

// Reads what is asked and no more: a file that grows while it is read gives
// no byte past its size at the start, one that shrinks gives fewer.
ExecutableFacts readFileFacts(const std::string& path, std::uint64_t fileSize) {
    std::ifstream file(fileSystemPath(path), std::ios::binary);
    if (!file) {
        return {};
    }
    return readExecutableFacts([&file, fileSize](std::uint64_t offset, std::size_t size) {
        if (offset >= fileSize) {
            return std::string();
        }
        std::string bytes(
            static_cast<std::size_t>(std::min<std::uint64_t>(size, fileSize - offset)), '\0');
        file.clear();
        if (!file.seekg(static_cast<std::streamoff>(offset))) {
            return std::string();
        }
        file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(file.gcount()));
        return bytes;
    });
}

// The facts of a file, read again only when its size or time changed. A file
// that changed while it was read (an engine copied over in place) is not
// recognised, and read again next time.
ExecutableFacts cachedFacts(const std::string& path) {
    const auto stamp = stampOf(path);
    if (!stamp) {
        return {};
    }
    {
        const std::lock_guard lock(g_cacheMutex);
        const auto found = g_cache.find(path);
        if (found != g_cache.end() && found->second.stamp == *stamp) {
            return found->second.facts;
        }
    }
    auto facts = readFileFacts(path, stamp->size);
    if (stampOf(path) != stamp) {
        return {};
    }
    const std::lock_guard lock(g_cacheMutex);
    if (g_cache.size() >= kMaxCached) {
        g_cache.clear();
    }
    g_cache[path] = {*stamp, facts};
    return facts;
}

// A word an engine or a wrapper is started with: its text (unknown for the
// game directory while recognising) and which of WYN's words it is (-1: a
// wrapper's own).
struct StartWord {
    std::optional<std::string> text;
    int wyn = -1;
};

// Whether WYN's words, count of them, are the last words, intact and in
// order: the console reads its commands in order, so a wrapper's word after
// them could undo them (Debian's launcher adds "+set game xatrix" so).
bool passesWynWords(const std::vector<StartWord>& words, std::size_t count) {
    if (words.size() < count) {
        return false;
    }
    const auto own = words.size() - count;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].wyn != (i < own ? -1 : static_cast<int>(i - own))) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> ownWords(const std::vector<StartWord>& words, std::size_t wynCount) {
    std::vector<std::string> own;
    for (std::size_t i = 0; i + wynCount < words.size(); ++i) {
        own.push_back(words[i].text.value_or(std::string()));
    }
    return own;
}

// What the folder arguments a wrapper gives tell the engine, by its row; the
// later of two arguments wins, as in the engines. False when one is cut off
// by the end of the wrapper's words: WYN's first word would be its value.
bool takeFolderArguments(Engine& engine, const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        for (const auto& argument : engineRow(engine.kind).folderArguments) {
            const auto space = argument.words.find(' ');
            const bool two = space != std::string_view::npos;
            if (words[i] != argument.words.substr(0, space)) {
                continue;
            }
            const bool portable = argument.kind == FolderArgumentKind::Portable;
            const std::size_t value = i + (two ? 2 : 1);
            if (value + (portable ? 0 : 1) > words.size()) {
                if (!two || i + 1 >= words.size()) {
                    return false;
                }
                continue;
            }
            if (two && words[i + 1] != argument.words.substr(space + 1)) {
                continue;
            }
            switch (argument.kind) {
                case FolderArgumentKind::DataFolder:
                    engine.namedDataFolder = words[value];
                    break;
                case FolderArgumentKind::UserFolder:
                    engine.namedUserFolder = words[value];
                    break;
                case FolderArgumentKind::UserFolderInHome:
                    engine.namedUserFolder = "~/" + words[value];
                    break;
                case FolderArgumentKind::Portable:
                    engine.portable = true;
                    break;
            }
        }
    }
    return true;
}

// "flatpak run [OPTIONS] APP [ARGUMENTS]" of an app the table knows; the
// installation is the one whose exported launcher this is.
Engine flatpakRunEngine(const std::string& flatpak, const std::vector<std::string>& words,
                        const std::string& launcher) {
    if (!isFlatpakProgram(flatpak) || words.empty() || words[0] != "run") {
        return {};
    }
    std::size_t at = 1;
    while (at < words.size() && words[at].starts_with('-')) {
        ++at;
    }
    if (at >= words.size()) {
        return {};
    }
    const auto rows = engineRows();
    const auto row = std::ranges::find(rows, std::string_view(words[at]), &EngineRow::flatpakId);
    if (row == rows.end() || row->flatpakId.empty()) {
        return {};
    }
    Engine engine;
    engine.kind = row->kind;
    engine.sandbox.appId = words[at];
    engine.sandbox.flatpak = flatpak;
    engine.sandbox.runOptions.assign(words.begin() + 1,
                                     words.begin() + static_cast<std::ptrdiff_t>(at));
    engine.sandbox.installation = flatpakInstallationOf(launcher, words[at]);
    if (!takeFolderArguments(engine,
                             {words.begin() + static_cast<std::ptrdiff_t>(at) + 1, words.end()})) {
        return {};
    }
    const auto installation = engine.sandbox.installation;
    return installation.empty() ? engine : withAppProgram(std::move(engine), {installation});
}

// The one engine every way gives; the ways may differ in the data folder
// they name only, which then is one of the choices. Unknown otherwise.
Engine agreed(const std::vector<Engine>& engines) {
    if (engines.empty()) {
        return {};
    }
    const auto without = [](Engine engine) {
        engine.namedDataFolder.clear();
        engine.dataFolderChoices.clear();
        return engine;
    };
    const auto base = without(engines.front());
    std::vector<std::string> choices;
    for (const auto& engine : engines) {
        if (engine.kind == EngineKind::Unknown || without(engine) != base ||
            engine.namedDataFolder.empty() != engines.front().namedDataFolder.empty() ||
            engine.dataFolderChoices.empty() != engines.front().dataFolderChoices.empty()) {
            return {};
        }
        auto named = engine.dataFolderChoices;
        if (!engine.namedDataFolder.empty()) {
            named.push_back(engine.namedDataFolder);
        }
        for (auto& folder : named) {
            if (std::ranges::find(choices, folder) == choices.end()) {
                choices.push_back(std::move(folder));
            }
        }
    }
    auto engine = engines.front();
    if (choices.size() > 1) {
        engine.namedDataFolder.clear();
        engine.dataFolderChoices = std::move(choices);
    }
    return engine;
}

Engine recognise(const std::string& path, const std::string& name,
                 const std::vector<StartWord>& words, const std::string& directory, int wrappers,
                 std::size_t wynCount);

// What one way of a wrapper starts, given words that pass WYN's on.
Engine started(const WrapperExec& exec, const std::vector<StartWord>& words,
               const std::string& callerDirectory, const std::string& launcher, int wrappers,
               std::size_t wynCount) {
    if (auto sandboxed = flatpakRunEngine(exec.program, ownWords(words, wynCount), launcher);
        sandboxed.kind != EngineKind::Unknown) {
        return sandboxed;
    }
    return recognise(exec.program, exec.name, words,
                     exec.directory.empty() ? callerDirectory : exec.directory, wrappers + 1,
                     wynCount);
}

Engine recognise(const std::string& path, const std::string& name,
                 const std::vector<StartWord>& words, const std::string& directory, int wrappers,
                 std::size_t wynCount) {
    const auto facts = cachedFacts(path);
    if (facts.script) {
        if (wrappers >= kMaxWrappers) {
            return {};
        }
        WrapperCall call{name, {}, directory, realPath, facts.wholeScript};
        for (const auto& word : words) {
            call.arguments.push_back(word.text);
        }
        const auto execs = readWrapperScript(*facts.script, call);
        if (!execs) {
            return {};
        }
        // The shell goes on elsewhere when it cannot enter a folder.
        for (const auto& exec : *execs) {
            if (!std::ranges::all_of(exec.folders, directoryExists)) {
                return {};
            }
        }
        // A way whose exec does not pass WYN's words on starts no game of
        // WYN's (Debian's launcher's message that the data is missing): as
        // if it exited.
        std::vector<Engine> engines;
        for (const auto& exec : *execs) {
            std::vector<StartWord> passed;
            for (const auto& argument : exec.arguments) {
                passed.push_back(argument.caller >= 0 ? words[argument.caller]
                                                      : StartWord{argument.text, -1});
            }
            if (passesWynWords(passed, wynCount)) {
                engines.push_back(started(exec, passed, directory, path, wrappers, wynCount));
            }
        }
        return agreed(engines);
    }
    if (facts.engine.kind == EngineKind::Unknown || !passesWynWords(words, wynCount)) {
        return {};
    }
    auto engine = facts.engine;
    engine.program = realPath(path);
    engine.workingDirectory = directory;
    if (!takeFolderArguments(engine, ownWords(words, wynCount))) {
        return {};
    }
    return engine;
}

}  // namespace

std::string_view engineName(EngineKind kind) {
    return engineRow(kind).name;
}

bool isKnownEngine(const Engine& engine) {
    return engine.kind != EngineKind::Unknown;
}

std::string_view engineName(const Engine& engine) {
    return engineName(engine.kind);
}

ExecutableFacts readExecutableFacts(const ReadAt& unbounded) {
    // A reader may answer with more than asked (a file that grew): only what
    // was asked is looked at.
    const ReadAt read = [&unbounded](std::uint64_t offset, std::size_t size) {
        auto bytes = unbounded(offset, size);
        if (bytes.size() > size) {
            bytes.resize(size);
        }
        return bytes;
    };
    ExecutableFacts facts;
    const auto start = read(0, kElfHeaderBytes);
    if (start.starts_with("#!")) {
        auto script = read(0, kScriptBytes + 1);
        facts.wholeScript = script.size() <= kScriptBytes;
        script.resize(std::min(script.size(), kScriptBytes));
        facts.script = std::move(script);
        return facts;
    }
    Engine header;
    if (!start.starts_with("MZ")) {
        const auto elf = readElfHeader(start);
        if (!elf) {
            return facts;
        }
        header.elf = *elf;
        Findings found(false);
        scanReadOnlyData(read, header.elf, found);
        facts.engine = found.engine(header);
        return facts;
    }
    // The PE headers lie past the DOS header, where its last field says.
    const auto pe = readPeHeader(read(0, kPeHeaderBytes));
    if (!pe) {
        return facts;
    }
    header.format = ExecutableFormat::Pe;
    header.pe = *pe;
    Findings found(true);
    scanReadOnlyData(read, header.pe, found);
    facts.engine = found.engine(header);
    return facts;
}

std::vector<std::string> startParameters(bool dedicated) {
    std::vector<std::string> words{"+set", "game", std::string(kAddOnFolder)};
    if (dedicated) {
        words.insert(words.end(), {"+set", "dedicated", "1"});
    }
    words.insert(words.end(), {"+exec", "wyn.cfg"});
    return words;
}

Engine recogniseEngine(const std::string& path) {
    // What a wrapper does may depend on every word WYN may pass: each
    // engine's folder arguments or none, then the start parameters, with or
    // without a dedicated server. The game directory is not known here.
    std::vector<std::vector<std::string_view>> prefixes{{}};
    for (const auto& row : engineRows()) {
        const std::vector<std::string_view> prefix(row.dataFolderArguments.begin(),
                                                   row.dataFolderArguments.end());
        if (!prefix.empty() && std::ranges::find(prefixes, prefix) == prefixes.end()) {
            prefixes.push_back(prefix);
        }
    }
    std::vector<Engine> engines;
    for (const auto& prefix : prefixes) {
        for (const bool dedicated : {false, true}) {
            std::vector<StartWord> words;
            for (const auto word : prefix) {
                words.push_back({std::string(word), 0});
            }
            if (!prefix.empty()) {
                words.push_back({std::nullopt, 0});
            }
            for (auto& word : startParameters(dedicated)) {
                words.push_back({std::move(word), 0});
            }
            for (std::size_t i = 0; i < words.size(); ++i) {
                words[i].wyn = static_cast<int>(i);
            }
            engines.push_back(recognise(path, path, words, "", 0, words.size()));
            if (engines.back().kind == EngineKind::Unknown) {
                return {};
            }
        }
    }
    return agreed(engines);
}

std::vector<std::string> engineProgramNames(const PlatformProfile& profile, bool servers) {
    const std::string_view extension = profile.programSuffix();
    std::vector<std::string> names;
    const auto add = [&](std::span<const std::string_view> programs) {
        for (const auto program : programs) {
            auto name = std::string(program) + std::string(extension);
            if (std::ranges::find(names, name) == names.end()) {
                names.push_back(std::move(name));
            }
        }
    };
    for (const auto& row : engineRows()) {
        add(row.programs);
    }
    if (servers) {
        for (const auto& row : engineRows()) {
            add(row.servers);
        }
    }
    return names;
}

std::vector<std::string> engineLaunchers(const std::string& home, const std::string& root) {
    std::vector<std::string> launchers;
    for (const auto& row : engineRows()) {
        for (const auto launcher : row.launchers) {
            launchers.push_back(root + std::string(launcher));
        }
        if (row.flatpakId.empty()) {
            continue;
        }
        if (const auto user = userFlatpakInstallation({home}); !user.empty()) {
            launchers.push_back(flatpakExportedLauncher(user, row.flatpakId));
        }
        launchers.push_back(
            flatpakExportedLauncher(root + std::string(kSystemFlatpakInstallation), row.flatpakId));
    }
    return launchers;
}

Engine withAppProgram(Engine engine, const std::vector<std::string>& installations) {
    const auto& row = engineRow(engine.kind);
    for (const auto& installation : installations) {
        const auto bin = flatpakAppFolder(installation, engine.sandbox.appId) + "/files/bin";
        for (const auto program : row.programs) {
            const auto path = bin + "/" + std::string(program);
            const auto app = cachedFacts(path).engine;
            if (app.kind == EngineKind::Unknown || !fileExists(path)) {
                continue;
            }
            engine.program = path;
            engine.format = app.format;
            engine.elf = app.elf;
            engine.gameLibrary = app.gameLibrary;
            engine.fallbackLibrary = app.fallbackLibrary;
            engine.sandbox.installation = installation;
            return engine;
        }
    }
    return engine;
}

Engine installedEngine(const std::string& directory, const PlatformProfile& profile) {
    for (const auto& program : engineProgramNames(profile, true)) {
        const std::string path = profile.path(directory, {program});
        if (fileExists(path)) {
            if (auto engine = recogniseEngine(path); engine.kind != EngineKind::Unknown) {
                return engine;
            }
        }
    }
    return {};
}

}  // namespace wyn
