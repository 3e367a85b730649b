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

// Appends the last `count` bytes of a file to the tail; bytes before them
// make it cut.
void appendLast(const std::string& path, qint64 count, OutputTail& tail) {
    QFile file(toSystemPath(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const qint64 size = file.size();
    const qint64 from = std::max<qint64>(0, size - count);
    if (from > 0) {
        tail.markCut();
    }
    if (from < size && file.seek(from)) {
        const QByteArray bytes = file.read(size - from);
        tail.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
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

}  // namespace wyn
