#pragma once

#include <QtGlobal>

#include <memory>

namespace wyn {

// What reaches this program while a game it started runs in the foreground,
// sharing its terminal or console, handled as a shell's wait does. Linux: an
// interrupt or quit from the terminal reaches the game too and leaves this
// program waiting for its end; one sent to this program alone (kill -INT), a
// termination or a hang-up is passed on to the game. Windows: Ctrl+C and
// Ctrl+Break reach every program of the console, the game among them, and
// this program waits for the game's end. The handling is this object's life.
class ForegroundSignals {
public:
    ForegroundSignals();
    ~ForegroundSignals();
    ForegroundSignals(const ForegroundSignals&) = delete;
    ForegroundSignals& operator=(const ForegroundSignals&) = delete;

    // The game's process id, once it runs.
    void gameStarted(qint64 processId);

private:
    struct Previous;
    std::unique_ptr<Previous> m_previous;
};

}  // namespace wyn
