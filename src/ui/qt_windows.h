#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/watching_game_starter.h"
#include "ui/window_prompts.h"

namespace wyn {

class GameStarter;
class TServerStatusForm;
class TWYNForm;
class ValueStore;
struct ServerAddress;

// Opens the other windows of the program, modal over the main window, a fresh
// one at every opening; Server Status is modeless, one at a time.
class QtWindows : public WindowOpener {
public:
    QtWindows(ValueStore& store, GameStarter& starter, UiPrompts& prompts)
        : m_store(store), m_starter(starter), m_prompts(prompts) {}
    void setMainWindow(TWYNForm* form) { m_form = form; }
    // The watched games that run (WatchingGameStarter::runningGames).
    using RunningGames = std::function<std::vector<WatchedGame>()>;
    void setRunningGames(RunningGames games) { m_runningGames = std::move(games); }

    void openMapCycleEditor() override;
    void openRosterEditor() override;
    void openChatEditor() override;
    void openWizard() override;
    void openDevNews() override;
    void openAbout() override;
    void openJoinGame() override;
    void openServerStatus() override;

    // A watched game has started: a dedicated server WYN started opens
    // Server Status on it by itself.
    void gameWatched(const WatchedGame& game);

private:
    QWidget* opener() const;
    // Server Status, made when it is not open, brought to the front.
    TServerStatusForm& statusWindow();

    ValueStore& m_store;
    GameStarter& m_starter;
    UiPrompts& m_prompts;
    QPointer<TWYNForm> m_form;
    RunningGames m_runningGames;
    QPointer<TServerStatusForm> m_status;
};

}  // namespace wyn
