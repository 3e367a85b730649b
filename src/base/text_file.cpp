#include "base/text_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>

#include "base/errors.h"
#include "base/file_system.h"
#include "base/system.h"

namespace wyn {

namespace fs = std::filesystem;

std::string readFileBytes(const std::string& path) {
    std::error_code ec;
    const fs::path file = fileSystemPath(path);
    if (!fs::is_regular_file(file, ec)) {
        throwCannotOpenFile(path);
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throwCannotOpenFile(path);
    }
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::streamoff>(in.tellg());
    if (size < 0 || static_cast<std::size_t>(size) > kMaxTextFileSize) {
        throwCannotOpenFile(path);
    }
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), size);
    if (in.gcount() != size) {
        throwCannotOpenFile(path);
    }
    return bytes;
}

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    // One allocation for the list in the usual case of LF or CR LF line ends.
    std::size_t lineFeeds = 0;
    for (auto at = bytes.find('\n'); at != std::string_view::npos; at = bytes.find('\n', at + 1)) {
        ++lineFeeds;
    }
    lines.reserve(lineFeeds + 1);
    // Both searches run over whole stretches (memchr), not byte by byte.
    std::size_t start = 0;
    std::size_t lineFeed = bytes.find('\n');
    std::size_t carriageReturn = bytes.find('\r');
    while (start < bytes.size()) {
        if (carriageReturn < start) {
            carriageReturn = bytes.find('\r', start);
        }
        if (lineFeed < start) {
            lineFeed = bytes.find('\n', start);
        }
        const std::size_t end = std::min(lineFeed, carriageReturn);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + (end == carriageReturn && end + 1 == lineFeed ? 2 : 1);
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<std::string> readLines(const std::string& path) {
    return splitLines(readFileBytes(path));
}

namespace {

// Linux's own limit on a chain of links; a longer chain is taken for a loop.
constexpr int kMaxLinkHops = 40;

// The file a write lands on: the end of the chain of symbolic links, so a bots.cfg
// linked into several installations stays one shared file. A dangling link names
// the file to create, as QSaveFile does: the link was made for that file. Empty
// when the chain does not end or a link cannot be read.
std::optional<fs::path> resolveLinks(const fs::path& path) {
    fs::path current = path;
    std::error_code ec;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(current, ec)); ++hops) {
        if (hops == kMaxLinkHops) {
            return std::nullopt;
        }
        const fs::path target = fs::read_symlink(current, ec);
        if (ec) {
            return std::nullopt;
        }
        // Joined, not normalised, so the system resolves a '..' after a linked
        // directory physically, as it does when it follows the link itself.
        current = current.parent_path() / target;
    }
    return current;
}

fs::path temporaryNameBeside(const fs::path& target) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    // Appended piece by piece: GCC 12 sees a false overlap (-Wrestrict) in
    // "literal" + std::string&& at -O3.
    std::string name = ".";
    name += pathText(target.filename());
    name += ".tmp";
    name += std::to_string(generator() % 1000000000u);
    return target.parent_path() / fileSystemPath(name);
}

bool writeAndFlush(const fs::path& temporary, const fs::path& target, std::string_view bytes) {
    std::FILE* file = createNewFile(temporary);
    if (file == nullptr) {
        return false;
    }
    // The new file neither opens nor closes the text to anyone.
    takeOwnerAndMode(file, target);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = syncToDisk(file) && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

}  // namespace

void writeFileAtomic(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        throwCannotCreateFile(path);
    }
    const std::optional<fs::path> target = resolveLinks(fileSystemPath(path));
    std::error_code ec;
    // A file nobody may write is not replaced behind its owner's back: the
    // rename would do so for anyone who may write the directory.
    if (!target || fs::is_directory(*target, ec) || isReadOnlyFile(pathText(*target))) {
        throwCannotCreateFile(path);
    }
    const fs::path temporary = temporaryNameBeside(*target);
    if (!writeAndFlush(temporary, *target, bytes)) {
        fs::remove(temporary, ec);
        throwCannotCreateFile(path);
    }
    fs::rename(temporary, *target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throwCannotCreateFile(path);
    }
    // The rename is durable only once the directory is on disk too.
    syncDirectoryOf(*target);
}

void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    writeFileAtomic(path, joinLines(lines));
}

}  // namespace wyn
