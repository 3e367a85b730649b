#pragma once

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/game_end.h"
#include "platform/own_places.h"
#include "platform/process_game_starter.h"

namespace wyn {

// A watched game that runs, and the log its output goes to (empty: none).
struct WatchedGame {
    StartRequest request;
    std::string log;
};

// The window program's starter. A start with watch off is detached, as
// ProcessGameStarter does it. A watched start runs the game as a child (on
// Linux in a session of its own, so a terminal's interrupt or hang-up that
// reaches this program never reaches it). Its standard output and error go to
// a log of its own (gameLogPath(), see game_log.h), emptied at its start,
// through a relay process that rotates it (output_relay.h); when the log or
// the relay cannot be made the output is dropped and the end names no log.
// When the game has ended and the relay has written everything, the log's
// last kGameOutputLimit bytes are read, once, and an end that isReportedEnd is
// handed to the end handler on the GUI thread, after the signal that told it
// has returned.
//
// Nothing waits: start() asks for the start and returns; a game that cannot
// be started after all (its program missing, not executable) is told to the
// start-failure handler from the event loop. While the game runs, this
// program does no work for it.
//
// The game never depends on this program: its output's reader is the relay,
// which outlives the game's writers, and its QProcess is never deleted while
// it runs (QProcess's destructor kills its child). When the starter goes,
// games still running and their relays keep running, unwatched.
class WatchingGameStarter : public GameStarter {
public:
    using EndHandler = std::function<void(const GameEnd&)>;
    using StartFailureHandler = std::function<void(const StartRequest&)>;
    using WatchHandler = std::function<void(const WatchedGame&)>;

    // log: the first slot's log (game.log, game-2.log, ... beside it), made
    // with its folder when missing.
    explicit WatchingGameStarter(std::string log = gameLogPath(),
                                 std::chrono::milliseconds quickEnd = kQuickGameEnd);
    ~WatchingGameStarter() override;
    WatchingGameStarter(const WatchingGameStarter&) = delete;
    WatchingGameStarter& operator=(const WatchingGameStarter&) = delete;

    void setEndHandler(EndHandler handler) { m_endHandler = std::move(handler); }
    void setStartFailureHandler(StartFailureHandler handler) {
        m_startFailureHandler = std::move(handler);
    }
    // Told once a watched game has started, after the signal that told it
    // has returned.
    void setWatchHandler(WatchHandler handler) { m_watchHandler = std::move(handler); }

    bool start(const StartRequest& request) override;

    // Watched games that have not ended yet.
    std::size_t watchedGames() const { return m_watches.size(); }
    // Those that have started, in the order they were started.
    std::vector<WatchedGame> runningGames() const;

private:
    class Watch;
    // The log slots of the watched games.
    std::set<int> usedSlots() const;
    void ended(Watch* watch, GameEnd end);
    void failedToStart(Watch* watch);
    void started(const Watch* watch);
    // Takes the watch out of the list; it goes once the current signal has
    // returned, and then runs the call.
    void release(Watch* watch, std::function<void()> then);

    ProcessGameStarter m_detached;
    std::string m_log;
    std::chrono::milliseconds m_quickEnd;
    EndHandler m_endHandler;
    StartFailureHandler m_startFailureHandler;
    WatchHandler m_watchHandler;
    std::vector<std::unique_ptr<Watch>> m_watches;
    // The receiver of every connection; going first, it ends them all.
    QObject m_context;
};

}  // namespace wyn
