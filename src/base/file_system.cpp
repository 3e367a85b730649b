#include "base/file_system.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_set>

#include "base/text.h"

namespace wyn {

namespace fs = std::filesystem;

// fileSystemPath and pathText are each system's own: src/platform/system.

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fileSystemPath(path), ec);
}

bool makeDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(fileSystemPath(path), ec);
    return directoryExists(path);
}

bool isReadOnlyFile(const std::string& path) {
    std::error_code ec;
    const auto status = fs::status(fileSystemPath(path), ec);
    if (ec || !fs::is_regular_file(status)) {
        return false;
    }
    constexpr auto writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

bool directoryExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(fileSystemPath(path), ec);
}

std::string realPath(const std::string& path) {
    std::error_code ec;
    auto real = path.empty() ? fs::path() : fs::canonical(fileSystemPath(path), ec);
    return ec ? std::string() : pathText(real);
}

bool matchesMask(std::string_view name, std::string_view mask) {
    // Iterative wildcard match with one back-tracking point for the last '*'.
    std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || toLowerAscii(mask[m]) == toLowerAscii(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

namespace {

// Each name is folded once, not in every comparison: a map directory holds
// thousands of names, and the sort compares each of them a dozen times.
std::vector<std::string> sortedIgnoringCase(std::vector<std::string> names) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        keys.emplace_back(toLower(names[i]), i);
    }
    // Folded texts compare as lessIgnoringCase compares the names; names that
    // differ only in case keep the directory's order.
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(names[key.second]));
    }
    return sorted;
}

template <typename Keep>
std::vector<std::string> listDirectory(const std::string& directory, Keep keep) {
    std::vector<std::string> names;
    std::error_code ec;
    if (directory.empty()) {
        return names;
    }
    fs::directory_iterator it(fileSystemPath(directory),
                              fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = pathText(it->path().filename());
        if (keep(*it, name)) {
            names.push_back(std::move(name));
        }
    }
    return sortedIgnoringCase(std::move(names));
}

}  // namespace

std::vector<std::string> listFiles(const std::string& directory, std::string_view mask) {
    return listDirectory(directory,
                         [mask](const fs::directory_entry& entry, const std::string& name) {
                             std::error_code ec;
                             return matchesMask(name, mask) && entry.is_regular_file(ec);
                         });
}

std::vector<std::string> listSubdirectories(const std::string& directory) {
    return listDirectory(directory, [](const fs::directory_entry& entry, const std::string&) {
        std::error_code ec;
        return entry.is_directory(ec);
    });
}

std::vector<std::string> mergedNames(std::vector<std::vector<std::string>> listings) {
    std::size_t total = 0;
    for (const auto& listing : listings) {
        total += listing.size();
    }
    // A name is kept once ignoring case, as its first listing spells it: to
    // the game, as on Windows, "Q2DM1.BSP" beside "q2dm1.bsp" is one map. In
    // one ordered listing such names stand together.
    if (listings.size() == 1 && std::ranges::is_sorted(listings.front(), lessIgnoringCase)) {
        auto& names = listings.front();
        names.erase(std::unique(names.begin(), names.end(), equalsIgnoringCase), names.end());
        return std::move(names);
    }
    std::vector<std::string> names;
    names.reserve(total);
    std::unordered_set<std::string> seen;
    seen.reserve(total);
    for (auto& listing : listings) {
        for (auto& name : listing) {
            if (seen.insert(toLower(name)).second) {
                names.push_back(std::move(name));
            }
        }
    }
    // One folder's listing is ordered already.
    return listings.size() <= 1 ? names : sortedIgnoringCase(std::move(names));
}

}  // namespace wyn
