#include "store/recent_files.h"

#include "base/text.h"
#include "base/value_store.h"

namespace wyn {

void RecentFiles::AddRecent(const std::string& path) {
    if (const int at = indexOfIgnoringCase(m_paths, path); at >= 0) {
        m_paths.erase(m_paths.begin() + at);
    }
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > Maximum) {
        m_paths.resize(Maximum);
    }
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
