#include "store/recent_files.h"

#include <algorithm>

#include "base/text.h"
#include "base/value_store.h"

namespace wyn {

namespace {

// A path in the pieces the shortening works on: drive, root separators, the
// "..." that stands for dropped directories, the directories left, the name.
struct PathPieces {
    std::string drive;
    std::string root;
    bool elided = false;
    std::vector<std::string> directories;
    std::string name;

    std::string text(char separator) const {
        std::string result = drive + root;
        if (elided) {
            result += "...";
            result += separator;
        }
        for (const auto& directory : directories) {
            result += directory;
            result += separator;
        }
        return result + name;
    }
    bool nameOnly() const {
        return drive.empty() && root.empty() && !elided && directories.empty();
    }
    // One step shorter.
    void shorten() {
        if (!directories.empty()) {
            elided = true;
            directories.erase(directories.begin());
        } else if (elided && !(drive.empty() && root.empty())) {
            drive.clear();
            root.clear();
        } else {
            PathPieces nameOnly;
            nameOnly.name = std::move(name);
            *this = std::move(nameOnly);
        }
    }
};

PathPieces piecesOf(const std::string& path, const PlatformProfile& profile) {
    const char separator = profile.separator();
    PathPieces pieces;
    std::string_view rest = path;
    if (profile.hasDrives() && rest.size() >= 2 && rest[1] == ':') {
        pieces.drive = rest.substr(0, 2);
        rest.remove_prefix(2);
    }
    const auto cut = rest.rfind(separator);
    if (cut == std::string_view::npos) {
        pieces.name = rest;
        return pieces;
    }
    pieces.name = rest.substr(cut + 1);
    std::string_view directories = rest.substr(0, cut + 1);
    const auto firstName = std::min(directories.find_first_not_of(separator), directories.size());
    pieces.root = directories.substr(0, firstName);
    directories.remove_prefix(firstName);
    while (!directories.empty()) {
        const auto end = std::min(directories.find(separator), directories.size());
        if (end > 0) {
            pieces.directories.emplace_back(directories.substr(0, end));
        }
        directories.remove_prefix(std::min(end + 1, directories.size()));
    }
    return pieces;
}

std::string doubledAmpersands(const std::string& text) {
    std::string result;
    for (const char c : text) {
        result += c;
        if (c == '&') {
            result += '&';
        }
    }
    return result;
}

}  // namespace

std::string shortenPath(const std::string& path, int maxWidth, const TextWidth& width,
                        const PlatformProfile& profile) {
    if (width(path) <= maxWidth) {
        return path;
    }
    PathPieces pieces = piecesOf(path, profile);
    std::string shown = pieces.text(profile.separator());
    while (!pieces.nameOnly() && width(shown) > maxWidth) {
        pieces.shorten();
        shown = pieces.text(profile.separator());
    }
    return shown;
}

void RecentFiles::AddRecent(const std::string& path) {
    if (const int at = indexOfIgnoringCase(m_paths, path); at >= 0) {
        m_paths.erase(m_paths.begin() + at);
    }
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > Maximum) {
        m_paths.resize(Maximum);
    }
}

std::vector<std::string> RecentFiles::menuCaptions(const TextWidth& width,
                                                   const PlatformProfile& profile) const {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < m_paths.size(); ++i) {
        // Appended piece by piece: GCC 12 at -O3 warns falsely on the chained "+".
        std::string caption = "&";
        caption += std::to_string(i + 1);
        caption += ' ';
        caption += doubledAmpersands(shortenPath(m_paths[i], MaxCaptionWidth, width, profile));
        captions.push_back(std::move(caption));
    }
    return captions;
}

void RecentFiles::load(const ValueStore& store) {
    m_paths.clear();
    // Stored entries are the store's: keep the rules even if someone edited them.
    for (const auto& path : store.readRecentFiles()) {
        if (!path.empty() && indexOfIgnoringCase(m_paths, path) < 0 && m_paths.size() < Maximum) {
            m_paths.push_back(path);
        }
    }
}

void RecentFiles::save(ValueStore& store) const {
    store.writeRecentFiles(m_paths);
}

}  // namespace wyn
