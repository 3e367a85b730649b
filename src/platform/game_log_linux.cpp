#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/game_log.h"

namespace wyn {

namespace {

// Locks the file for this program; false when another program's relay holds
// the lock. On a file system without locks nobody can hold one, and the lock
// counts as taken.
bool tryLock(const SystemFile& file) {
    return ::flock(static_cast<int>(file.get()), LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

}  // namespace

// O_NONBLOCK: a FIFO where the log should be fails at once instead of
// waiting for a reader.
SlotState takeSlot(TakenLog& log) {
    SystemFile file(
        ::open(log.path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!file.valid()) {
        return SlotState::Failed;
    }
    if (!tryLock(file)) {
        return SlotState::Busy;
    }
    // A relay rotating its log keeps the rotated part locked until it holds
    // the new log, so the slot is never seen free in between.
    const std::string rotated = rotatedLogPath(log.path);
    if (const SystemFile older(::open(rotated.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        older.valid() && !tryLock(older)) {
        return SlotState::Busy;
    }
    ::unlink(rotated.c_str());
    if (::ftruncate(static_cast<int>(file.get()), 0) != 0) {
        return SlotState::Failed;
    }
    log.file = std::move(file);
    return SlotState::Taken;
}

}  // namespace wyn
