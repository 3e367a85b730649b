#include "base/text_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include "base/errors.h"

namespace wyn {

namespace fs = std::filesystem;

std::string readFileBytes(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        throwCannotOpenFile(path);
    }
    std::ifstream in(path, std::ios::binary);
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

std::string temporaryNameBeside(const std::string& path) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    const fs::path target(path);
    return (target.parent_path() / ("." + target.filename().string() + ".tmp" +
                                    std::to_string(generator() % 1000000000u)))
        .string();
}

bool writeAndFlush(const std::string& temporary, std::string_view bytes) {
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
#if defined(__unix__) || defined(__APPLE__)
    ok = ::fsync(fileno(file)) == 0 && ok;
#endif
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

}  // namespace

void writeFileAtomic(const std::string& path, std::string_view bytes) {
    std::error_code ec;
    if (path.empty() || fs::is_directory(path, ec)) {
        throwCannotCreateFile(path);
    }
    const std::string temporary = temporaryNameBeside(path);
    if (!writeAndFlush(temporary, bytes)) {
        fs::remove(temporary, ec);
        throwCannotCreateFile(path);
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throwCannotCreateFile(path);
    }
}

void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    writeFileAtomic(path, joinLines(lines));
}

}  // namespace wyn
