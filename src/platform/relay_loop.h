#pragma once

#include <cstddef>
#include <cstdint>

namespace wyn {

// What a watched game's relay does with the game's output, the same on every
// system (output_relay.h): it appends each piece it reads to the log and, once
// the log would pass kRotateAt, writes the piece up to its last line break,
// has the log rotated (NAME becomes NAME.1, a new NAME begins) and goes on
// in the new log. On Linux it runs in a fork of a multi-threaded program, so
// nothing here allocates, locks or throws.

inline constexpr std::int64_t kRotateAt = 1024 * 1024;
// One read from the pipe, its usual capacity; the log passes kRotateAt by at
// most this much.
inline constexpr std::size_t kPieceSize = 64 * 1024;

enum class Rotation {
    Done,       // the log is new and empty
    Postponed,  // the log could not be renamed now (a reader holds it): it goes on
    Lost,       // the log is gone: the rest of the output is dropped
};

// How much of a piece goes to the log before it is rotated: up to its last
// line break, or all of it, so a line that never ends cannot grow the log
// without bound.
inline std::size_t throughLastLineBreak(const char* bytes, std::size_t count) noexcept {
    for (std::size_t end = count; end > 0; --end) {
        if (bytes[end - 1] == '\n') {
            return end;
        }
    }
    return count;
}

// Relays until read() gives 0 (every writer of the pipe is gone).
//   read(buffer, capacity) -> the bytes read, 0 at the end;
//   write(bytes, count) -> whether all of them were written;
//   rotate() -> Rotation.
// size: what the log holds already. Output that cannot be written is dropped,
// never left in the pipe, where it would stop the game.
template <class Read, class Write, class Rotate>
void relayToLog(char* piece, std::size_t capacity, std::int64_t size, Read read, Write write,
                Rotate rotate) noexcept {
    bool open = true;
    for (;;) {
        const std::size_t got = read(piece, capacity);
        if (got == 0) {
            return;
        }
        const char* bytes = piece;
        std::size_t count = got;
        if (open && size + static_cast<std::int64_t>(got) > kRotateAt) {
            const std::size_t head = throughLastLineBreak(bytes, count);
            const bool written = write(bytes, head);
            switch (rotate()) {
                case Rotation::Done:
                    size = 0;
                    break;
                case Rotation::Postponed:
                    size += written ? static_cast<std::int64_t>(head) : 0;
                    break;
                case Rotation::Lost:
                    open = false;
                    break;
            }
            bytes += head;
            count -= head;
        }
        if (open && write(bytes, count)) {
            size += static_cast<std::int64_t>(count);
        }
    }
}

}  // namespace wyn
