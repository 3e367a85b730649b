#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "base/game_end.h"
#include "platform/system_file.h"

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
    // Open for writing and held so that other programs see the log in use:
    // locked (LOCK_EX) on Linux, open to nobody else's writing on Windows. The
    // game's relay goes on holding it.
    SystemFile file;
};

// Takes the first slot of the log `first` that is not in `used` and that no
// other program's relay holds, making the folder when missing; none when the
// folder or the file cannot be made.
std::optional<TakenLog> takeLog(const std::string& first, const std::set<int>& used);

// How taking one slot went.
enum class SlotState { Taken, Busy, Failed };

// Opens log.path and holds it, unless another program's relay holds it or
// its rotated part (Busy); then empties it and removes the stale rotated part.
// One per system: game_log_linux.cpp, game_log_windows.cpp.
SlotState takeSlot(TakenLog& log);

// The last kGameOutputLimit bytes of a log, with the end of its rotated part
// before them when the log holds fewer; cut when more came before.
OutputTail readLogTail(const std::string& log);

// Follows a game's log as it grows, reading only: each look reads what came
// since the last, at most `limit` bytes. A log rotated in between (its start
// is now NAME.1's) gives the rest of NAME.1 first, then the new log; a log
// taken by another game starts over. The file is open only while it is read,
// so the relay's rename is never held up for long.
class LogFollower {
public:
    explicit LogFollower(std::string log, std::size_t limit = kGameOutputLimit);

    struct Piece {
        std::string bytes;
        // What came before is not the text just before these bytes (the first
        // look, more than the limit came, another game's log): show them alone.
        bool restart = false;
    };
    Piece look();

    const std::string& path() const { return m_log; }

private:
    std::string m_log;
    std::size_t m_limit;
    bool m_started = false;
    std::int64_t m_offset = 0;  // bytes of the log read so far
    std::string m_head;         // its first bytes, which tell it from another file
};

}  // namespace wyn
