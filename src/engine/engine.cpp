#include "engine/engine.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "base/file_system.h"

namespace wyn {

namespace {

namespace fs = std::filesystem;

// Each engine WYN knows: its name and a string in the read-only data of its
// executables and of no other program.
struct EngineRow {
    EngineKind kind;
    std::string_view name;
    std::string_view marker;
};

constexpr std::array<EngineRow, 3> kEngines{{
    {EngineKind::Unknown, "unknown", {}},
    // Qcommon_Buildstring's version line.
    {EngineKind::YamagiQuake2, "Yamagi Quake II", "Yamagi Quake II v%s"},
    // The line the common start-up prints last.
    {EngineKind::Q2pro, "Q2PRO", "====== Q2PRO initialized ======"},
}};

// The build's options, each a string of the read-only data too.
constexpr std::string_view kYamagiXdg = " + XDG directory support";
// Q2PRO's system-wide folders end in the project's name ("PREFIX/share/q2pro",
// "PREFIX/lib/q2pro"); its site configuration is not one of them.
constexpr std::string_view kQ2proFolderEnd = "/q2pro";
constexpr std::string_view kQ2proSiteConfig = "/etc/default/q2pro";

constexpr std::size_t kScriptBytes = 4096;     // a wrapper's exec line is near its top
constexpr std::size_t kMaxSections = 4096;     // real executables have a few dozen
constexpr std::size_t kMaxSectionEntry = 256;  // 64 bytes in every real one
constexpr std::size_t kMaxSectionNames = 65536;
constexpr std::size_t kMaxString = 4096;  // a longer string is no path or marker
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

bool isGameLibraryName(std::string_view text) {
    if (!text.starts_with("game") || !text.ends_with(".so") || text.size() <= 7) {
        return false;
    }
    for (const char c : text.substr(4, text.size() - 7)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!plain) {
            return false;
        }
    }
    return true;
}

// What one string of the read-only data tells.
void takeString(std::string_view text, Engine& engine) {
    for (const auto& row : kEngines) {
        if (!row.marker.empty() && text.starts_with(row.marker)) {
            engine.kind = row.kind;
        }
    }
    if (text.starts_with(kYamagiXdg)) {
        engine.xdg = true;
    } else if (engine.gameLibrary.empty() && isGameLibraryName(text)) {
        engine.gameLibrary = text;
    } else if (engine.homeFolder.empty() && text.starts_with("~/")) {
        engine.homeFolder = text;
    } else if (text.starts_with('/') && text.ends_with(kQ2proFolderEnd) &&
               text != kQ2proSiteConfig && text.size() > kQ2proFolderEnd.size()) {
        // The source gives the data folder before the library folder.
        (engine.dataFolder.empty() ? engine.dataFolder : engine.libraryFolder) = text;
    }
}

// Q2PRO's "game" + CPUSTRING + ".so", for a build whose name was not found.
std::string q2proGameLibrary(const ElfHeader& elf) {
    switch (elf.machine) {
        case 3:
            return "gamei386.so";
        case 183:
            return "gamearm64.so";
        default:
            return "gamex86_64.so";
    }
}

// Keeps the facts that belong to the engine found, gives the rest their values.
Engine settle(Engine found) {
    Engine engine;
    engine.kind = found.kind;
    engine.elf = found.elf;
    switch (found.kind) {
        case EngineKind::Unknown:
            break;
        case EngineKind::YamagiQuake2:
            engine.gameLibrary = "game.so";
            engine.xdg = found.xdg;
            break;
        case EngineKind::Q2pro:
            engine.gameLibrary =
                found.gameLibrary.empty() ? q2proGameLibrary(found.elf) : found.gameLibrary;
            engine.systemWide = !found.dataFolder.empty();
            if (engine.systemWide) {
                engine.dataFolder = found.dataFolder;
                // One folder for both when they are the same (the linker merges them).
                engine.libraryFolder =
                    found.libraryFolder.empty() ? found.dataFolder : found.libraryFolder;
                if (engine.dataFolder.find("/lib") != std::string::npos &&
                    engine.libraryFolder.find("/share") != std::string::npos) {
                    std::swap(engine.dataFolder, engine.libraryFolder);
                }
                engine.homeFolder = found.homeFolder;
            }
            break;
    }
    return engine;
}

std::string unquoted(std::string_view word) {
    if (word.size() >= 2 && (word.front() == '"' || word.front() == '\'') &&
        word.back() == word.front()) {
        word = word.substr(1, word.size() - 2);
    }
    return std::string(word);
}

// The first full path on the script's first exec line: "exec /usr/lib/x "$@"",
// "exec -a "$0" /usr/lib/x".
std::string execTarget(std::string_view script) {
    while (!script.empty()) {
        const auto end = script.find_first_of("\r\n");
        auto line = script.substr(0, end);
        script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (!line.starts_with("exec ") && !line.starts_with("exec\t")) {
            continue;
        }
        while (!line.empty()) {
            line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
            const auto wordEnd = line.find_first_of(" \t");
            const auto word = unquoted(line.substr(0, wordEnd));
            if (word.starts_with('/')) {
                return word;
            }
            line = wordEnd == std::string_view::npos ? std::string_view() : line.substr(wordEnd);
        }
        return {};
    }
    return {};
}

void scanReadOnlyData(const ReadAt& read, const ElfHeader& header, Engine& found) {
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
    StringScanner scanner;
    for (std::size_t i = 0; i < header.sectionCount; ++i) {
        const auto section = entry(i);
        constexpr std::uint32_t kProgramBits = 1;
        if (!section || section->type != kProgramBits || section->name >= names.size() ||
            !std::string_view(names.c_str() + section->name).starts_with(".rodata")) {
            continue;
        }
        scanner.restart();
        for (std::uint64_t done = 0; done < section->size && scanned < kMaxScanned;) {
            const auto piece = read(
                section->offset + done,
                static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, section->size - done)));
            if (piece.empty()) {
                break;
            }
            scanner.feed(piece, [&](std::string_view text) { takeString(text, found); });
            done += piece.size();
            scanned += piece.size();
        }
    }
}

struct CacheEntry {
    std::uintmax_t size;
    fs::file_time_type time;
    ExecutableFacts facts;
};

std::mutex g_cacheMutex;
std::map<std::string, CacheEntry> g_cache;
constexpr std::size_t kMaxCached = 64;

ExecutableFacts readFileFacts(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    file.seekg(0, std::ios::end);
    const auto fileSize = static_cast<std::uint64_t>(std::max<std::streamoff>(file.tellg(), 0));
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
        file.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(file.gcount()));
        return bytes;
    });
}

// The facts of a file, read again only when its size or time changed.
ExecutableFacts cachedFacts(const std::string& path) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    const auto time = error ? fs::file_time_type() : fs::last_write_time(path, error);
    if (error) {
        return {};
    }
    {
        const std::lock_guard lock(g_cacheMutex);
        const auto found = g_cache.find(path);
        if (found != g_cache.end() && found->second.size == size && found->second.time == time) {
            return found->second.facts;
        }
    }
    auto facts = readFileFacts(path);
    const std::lock_guard lock(g_cacheMutex);
    if (g_cache.size() >= kMaxCached) {
        g_cache.clear();
    }
    g_cache[path] = {size, time, facts};
    return facts;
}

Engine recognise(const std::string& path, int wrappers) {
    const auto facts = cachedFacts(path);
    if (!facts.wrapperTarget.empty()) {
        return wrappers < kMaxWrappers ? recognise(facts.wrapperTarget, wrappers + 1) : Engine();
    }
    if (facts.engine.kind == EngineKind::Unknown) {
        return {};
    }
    auto engine = facts.engine;
    engine.program = realPath(path);
    return engine;
}

}  // namespace

std::string_view engineName(EngineKind kind) {
    for (const auto& row : kEngines) {
        if (row.kind == kind) {
            return row.name;
        }
    }
    return kEngines.front().name;
}

ExecutableFacts readExecutableFacts(const ReadAt& read) {
    ExecutableFacts facts;
    const auto start = read(0, kElfHeaderBytes);
    if (start.starts_with("#!")) {
        const auto target = execTarget(read(0, kScriptBytes));
        facts.wrapperTarget = target;
        return facts;
    }
    const auto header = readElfHeader(start);
    if (!header) {
        return facts;
    }
    Engine found;
    found.elf = *header;
    scanReadOnlyData(read, *header, found);
    facts.engine = settle(found);
    return facts;
}

Engine recogniseEngine(const std::string& path) {
    return recognise(path, 0);
}

}  // namespace wyn
