#pragma once

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "base/game_end.h"
#include "platform/process_game_starter.h"

namespace wyn {

// The window program's starter. A start with watch off is detached, as
// ProcessGameStarter does it. A watched start runs the game as a child whose
// standard output and error go to a temporary file (deleted from the
// directory at once on Unix, so only the open handles keep it); its last
// kGameOutputLimit bytes are collected, and an end that isReportedEnd is
// handed to the end handler on the GUI thread, after the start call and the
// QProcess signal have returned.
//
// The game never depends on this program: it writes to a file, not to a pipe
// whose reader could go away, and its QProcess is never deleted while it
// runs (QProcess's destructor kills its child). When the starter goes, games
// still running keep running, unwatched.
class WatchingGameStarter : public GameStarter {
public:
    using EndHandler = std::function<void(const GameEnd&)>;

    explicit WatchingGameStarter(std::chrono::milliseconds quickEnd = kQuickGameEnd);
    ~WatchingGameStarter() override;
    WatchingGameStarter(const WatchingGameStarter&) = delete;
    WatchingGameStarter& operator=(const WatchingGameStarter&) = delete;

    void setEndHandler(EndHandler handler) { m_endHandler = std::move(handler); }

    bool start(const StartRequest& request) override;
    std::optional<GameEnd> run(const StartRequest& request) override;

    // Watched games that have not ended yet.
    std::size_t watchedGames() const { return m_watches.size(); }

private:
    class Watch;
    void ended(Watch* watch);

    ProcessGameStarter m_detached;
    std::chrono::milliseconds m_quickEnd;
    EndHandler m_endHandler;
    std::vector<std::unique_ptr<Watch>> m_watches;
    // The receiver of every connection; going first, it ends them all.
    QObject m_context;
};

}  // namespace wyn
