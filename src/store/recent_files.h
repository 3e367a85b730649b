#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"

namespace wyn {

class ValueStore;

// The width of a text in the menu font, in pixels.
using TextWidth = std::function<int(std::string_view)>;

// A path cut down until it fits maxWidth: the first directory becomes "...",
// then the directories after it go one by one, then the drive (leaving
// "...\" and the file name), then all but the file name, which is shown even
// when it does not fit.
std::string shortenPath(const std::string& path, int maxWidth, const TextWidth& width,
                        const PlatformProfile& profile);

// The four most recently opened presets, most recent first; no two equal
// ignoring case.
class RecentFiles {
public:
    static constexpr std::size_t Maximum = 4;
    static constexpr int MaxCaptionWidth = 200;

    const std::vector<std::string>& paths() const { return m_paths; }

    // A path opened goes to the front (moved there when it was in the list
    // already); the oldest beyond four is dropped.
    void AddRecent(const std::string& path);

    // The menu entries, in list order: "&1 " and the shortened path. A '&' of
    // the path is doubled so that the menu shows it instead of underlining.
    std::vector<std::string> menuCaptions(const TextWidth& width,
                                          const PlatformProfile& profile) const;

    // The "Recent Files" group of the store, in the store's order.
    void load(const ValueStore& store);
    void save(ValueStore& store) const;

private:
    std::vector<std::string> m_paths;
};

}  // namespace wyn
