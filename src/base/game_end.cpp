#include "base/game_end.h"

namespace wyn {

bool isReportedEnd(const GameEnd& end, std::chrono::milliseconds quickEnd) {
    return end.runTime < quickEnd || end.signal != 0 || end.exitCode != 0;
}

void OutputTail::append(std::string_view bytes) {
    if (bytes.size() >= m_limit) {
        m_cut = m_cut || !m_bytes.empty() || bytes.size() > m_limit;
        m_bytes.assign(bytes.substr(bytes.size() - m_limit));
        return;
    }
    const std::size_t total = m_bytes.size() + bytes.size();
    if (total > m_limit) {
        m_bytes.erase(0, total - m_limit);
        m_cut = true;
    }
    m_bytes.append(bytes);
}

}  // namespace wyn
