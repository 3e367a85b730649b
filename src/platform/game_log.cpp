#include "platform/game_log.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "platform/system_path.h"

namespace wyn {

namespace {

// More watched games at once than anyone plays; the bound keeps the search short.
constexpr int kSlots = 99;

// How many of a log's first bytes tell it from another file.
constexpr qint64 kHeadBytes = 64;

// Appends bytes [from, to) of an open file, the last `limit` of them; bytes
// left out make the tail cut.
void appendRange(QFile& file, qint64 from, qint64 to, qint64 limit, OutputTail& tail) {
    if (to - from > limit) {
        from = to - limit;
        tail.markCut();
    }
    if (from < to && file.seek(from)) {
        const QByteArray bytes = file.read(to - from);
        tail.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
}

// Appends the last `count` bytes of a file; bytes before them make it cut.
void appendLast(const std::string& path, qint64 count, OutputTail& tail) {
    QFile file(toSystemPath(path));
    if (file.open(QIODevice::ReadOnly)) {
        appendRange(file, 0, file.size(), count, tail);
    }
}

std::string bytesOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

std::string logSlotPath(const std::string& first, int slot) {
    if (slot <= 1) {
        return first;
    }
    const std::size_t name = first.find_last_of("/\\") + 1;
    std::size_t extension = first.find_last_of('.');
    if (extension == std::string::npos || extension <= name) {
        extension = first.size();
    }
    return first.substr(0, extension) + "-" + std::to_string(slot) + first.substr(extension);
}

std::string rotatedLogPath(const std::string& log) {
    return log + ".1";
}

std::optional<TakenLog> takeLog(const std::string& first, const std::set<int>& used) {
    if (!QDir().mkpath(QFileInfo(toSystemPath(first)).absolutePath())) {
        return std::nullopt;
    }
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (used.contains(slot)) {
            continue;
        }
        TakenLog log;
        log.slot = slot;
        log.path = logSlotPath(first, slot);
        switch (takeSlot(log)) {
            case SlotState::Taken:
                return log;
            case SlotState::Busy:
                continue;
            case SlotState::Failed:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

OutputTail readLogTail(const std::string& log) {
    constexpr auto limit = static_cast<qint64>(kGameOutputLimit);
    const qint64 size = QFileInfo(toSystemPath(log)).size();
    OutputTail tail;
    appendLast(rotatedLogPath(log), limit - std::min(size, limit), tail);
    appendLast(log, limit, tail);
    return tail;
}

LogFollower::LogFollower(std::string log, std::size_t limit)
    : m_log(std::move(log)), m_limit(limit) {}

LogFollower::Piece LogFollower::look() {
    const auto limit = static_cast<qint64>(m_limit);
    OutputTail tail(m_limit);
    bool restart = false;
    qint64 from = 0;  // where this look reads the log from
    QFile log(toSystemPath(m_log));
    const bool open = log.open(QIODevice::ReadOnly);
    const qint64 size = open ? log.size() : 0;
    const std::string head = open ? bytesOf(log.read(kHeadBytes)) : std::string();
    if (!m_started) {
        // The log's end, with its rotated part's end before a short log.
        m_started = restart = true;
        appendLast(rotatedLogPath(m_log), limit - std::min(size, limit), tail);
    } else if (size >= m_offset && head.starts_with(m_head)) {
        from = m_offset;
    } else {
        // Rotated: the file read so far is NAME.1 now, and its rest comes
        // first. Anything else is another game's log.
        QFile older(toSystemPath(rotatedLogPath(m_log)));
        if (older.open(QIODevice::ReadOnly) && older.size() >= m_offset &&
            bytesOf(older.read(static_cast<qint64>(m_head.size()))) == m_head) {
            appendRange(older, m_offset, older.size(), limit, tail);
        } else {
            restart = true;
        }
    }
    if (open) {
        appendRange(log, from, size, limit, tail);
    }
    m_offset = size;
    m_head = head;
    return {tail.bytes(), restart || tail.cut()};
}

}  // namespace wyn
