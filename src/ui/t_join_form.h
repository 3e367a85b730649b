#pragma once

#include <functional>
#include <memory>

#include "base/notifier.h"
#include "ui/editor_dialogs.h"

namespace Ui {
class TJoinForm;
}

namespace wyn {

class GameStarter;
class JoinGame;
struct JoinGameChange;
class SessionSettings;
class ValueStore;

// "Join Game": the address of the server to join, the servers joined before
// and those found on the local network. Every change goes to the core's
// JoinGame, which asks the servers beside the window: the window stays
// responsive while Join asks and says so.
class TJoinForm : public EditorDialog {
    Q_OBJECT

public:
    TJoinForm(JoinGame& join, UiPrompts& prompts, QWidget* parent = nullptr);
    ~TJoinForm() override;

private:
    void redraw(const JoinGameChange& change);
    void fillRows();
    void redrawSelection();

    std::unique_ptr<Ui::TJoinForm> ui;
    JoinGame& m_join;
    Connection m_connection;
};

// "Join Game", modal, fresh at every opening; a join with Close on Launch
// then closes the main window.
void runJoinGame(QWidget* parent, const SessionSettings& session, ValueStore& store,
                 GameStarter& starter, UiPrompts& prompts,
                 const std::function<void()>& closeMainWindow);

}  // namespace wyn
