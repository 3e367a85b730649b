#pragma once

#include <QtGlobal>

#include <optional>
#include <set>
#include <string>

#include "base/game_end.h"
#ifdef Q_OS_UNIX
#include "platform/file_descriptor.h"
#endif

namespace wyn {

// The log of the slot-th of the watched games running at once, counted from
// 1: game.log, game-2.log, game-3.log, ...
std::string logSlotPath(const std::string& first, int slot);

// Where a log's earlier part goes when the log is rotated: NAME.1.
std::string rotatedLogPath(const std::string& log);

// A log taken for one game: empty, and without an earlier part.
struct TakenLog {
    int slot = 0;
    std::string path;
#ifdef Q_OS_UNIX
    // Open for appending and locked (LOCK_EX); the game's relay goes on
    // holding the lock, so other programs see the log in use.
    FileDescriptor file;
#endif
};

// Takes the first slot of the log `first` that is not in `used` and that no
// other program's relay holds, making the folder when missing; none when the
// folder or the file cannot be made.
std::optional<TakenLog> takeLog(const std::string& first, const std::set<int>& used);

// The last kGameOutputLimit bytes of a log, with the end of its rotated part
// before them when the log holds fewer; cut when more came before.
OutputTail readLogTail(const std::string& log);

}  // namespace wyn
