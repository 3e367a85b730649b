#pragma once

#include <string>
#include <vector>

namespace wyn {

class ValueStore;

// The four most recently opened presets, most recent first; no two equal
// ignoring case.
class RecentFiles {
public:
    static constexpr std::size_t Maximum = 4;

    const std::vector<std::string>& paths() const { return m_paths; }

    // A path opened goes to the front (moved there when it was in the list
    // already); the oldest beyond four is dropped.
    void AddRecent(const std::string& path);

    // The "Recent Files" group of the store, in the store's order.
    void load(const ValueStore& store);
    void save(ValueStore& store) const;

private:
    std::vector<std::string> m_paths;
};

}  // namespace wyn
