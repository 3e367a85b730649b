#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/game_starter.h"

namespace wyn {

// How much of a watched game's output is kept: its last bytes, enough for the
// lines that say why it stopped.
inline constexpr std::size_t kGameOutputLimit = 64u * 1024u;

// A game that ends this soon after its start is reported whatever its status:
// it did not get as far as the player's game.
inline constexpr std::chrono::milliseconds kQuickGameEnd{15'000};

// An end is reported when it came within quickEnd of the start, or with a
// failure (a non-zero exit code or a signal) at any time. A game quit
// normally after that is the player's business.
bool isReportedEnd(const GameEnd& end, std::chrono::milliseconds quickEnd = kQuickGameEnd);

// The last bytes of a stream, at most a fixed number.
class OutputTail {
public:
    explicit OutputTail(std::size_t limit = kGameOutputLimit) : m_limit(limit) {}

    void append(std::string_view bytes);
    // Some bytes were never seen (skipped or lost on the way).
    void markCut() { m_cut = true; }

    const std::string& bytes() const { return m_bytes; }
    bool cut() const { return m_cut; }

private:
    std::size_t m_limit;
    std::string m_bytes;
    bool m_cut = false;
};

}  // namespace wyn
