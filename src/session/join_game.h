#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "base/dialog_result.h"
#include "base/game_starter.h"
#include "base/lists.h"
#include "base/notifier.h"
#include "base/prompts.h"
#include "base/value_store.h"
#include "servers/server_asker.h"

namespace wyn {

class SessionSettings;

// The question Join Game asks when the server is silent or runs another game.
class JoinPrompts : public virtual MessagePrompts {
public:
    // Shows the warning (joinWarning) and asks whether to join all the same.
    virtual bool confirmJoin(const std::string& warning) = 0;
};

// What one change of the Join Game window changed.
struct JoinGameChange {
    bool address = false;    // AddressEdit
    bool rows = false;       // the list's rows (a refill)
    bool selection = false;  // the row of the address typed
    bool state = false;      // StateLabel and the buttons' enabled state
    bool result = false;     // the window closed

    bool any() const { return address || rows || selection || state || result; }
};

// One row of the servers' list: a server joined before or found on the
// local network, and its answer when it gave one.
struct JoinRow {
    ServerAddress address;
    std::optional<ServerEntry> answer;
};

// The columns of the servers' list.
inline constexpr std::array<const char*, 5> kJoinColumns{"Server", "Name", "Map", "Players",
                                                         "Ping"};

// The Join Game window without its widgets. Its list holds the servers
// joined before, most recent first, then those the local network search
// found, fastest first; each shows its answer once it gave one. Choosing a
// row fills the address in; the row of the address typed is the one chosen.
// Join checks the address and the program first (either refusal sends
// nothing), then asks the server without waiting; when the server is silent
// or runs another game the player is told and may join all the same. The
// join starts and watches the game as a launch does and remembers the server.
class JoinGame {
public:
    JoinGame(const SessionSettings& session, ValueStore& store, ServerAsker& asker,
             JoinPrompts& prompts, GameStarter& starter,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));
    JoinGame(const JoinGame&) = delete;
    JoinGame& operator=(const JoinGame&) = delete;

    [[nodiscard]] Connection onChange(std::function<void(const JoinGameChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    // The window opens: the servers joined before are listed and asked.
    void open();

    const std::string& addressText() const { return m_address; }
    const std::vector<JoinRow>& rows() const { return m_rows; }
    // A row's cells in the order of kJoinColumns; empty where it gave no answer.
    std::array<std::string, kJoinColumns.size()> cells(std::size_t row) const;
    Selection selectedRow() const;
    // "Asking ADDRESS...", "Searching the local network...", "No games found
    // on the local network."; empty otherwise.
    std::string stateText() const;
    bool joinEnabled() const { return !m_asked; }
    // While the local network is searched; asking the servers joined before
    // (as the window opens) leaves it free, and a search takes its place.
    bool findEnabled() const { return !m_searchingLan; }
    DialogResult result() const { return m_result; }
    // Close on Launch: the join reached the start, and the main window closes.
    bool closesMainWindow() const { return m_closeMainWindow; }

    void setAddressText(const std::string& text);  // AddressEdit changed
    void chooseRow(Selection row);                 // a row of the list was chosen
    void findLanGames();                           // "Find &LAN Games"
    void join();                                   // "&Join"
    void cancel();                                 // "Cancel", Esc

private:
    void search(bool localNetwork);
    void listed(const ServerAnswers& answers, bool localNetwork);
    void answered(const ServerAddress& address, const ServerAnswers& answers);
    void startJoin(const ServerAddress& address, const std::string& warning);
    void rebuildRows();

    struct Snapshot {
        std::string address;
        std::size_t rowsRevision;
        Selection selection;
        std::string state;
        bool joining;
        bool searching;
        DialogResult result;
    };
    Snapshot snapshot() const {
        return {m_address,           m_rowsRevision, selectedRow(), stateText(),
                m_asked.has_value(), m_searchingLan, m_result};
    }
    JoinGameChange compare(const Snapshot& before) const;

    const SessionSettings& m_session;
    ValueStore& m_store;
    ServerAsker& m_asker;
    JoinPrompts& m_prompts;
    GameStarter& m_starter;
    std::chrono::milliseconds m_timeout;
    std::string m_address;
    std::vector<ServerAddress> m_recent;
    ServerList m_answers;
    std::vector<JoinRow> m_rows;
    std::size_t m_rowsRevision = 0;
    // The server Join asks (while it does), whether the local network is
    // searched, and what the last search found wanting.
    std::optional<ServerAddress> m_asked;
    bool m_searchingLan = false;
    std::string m_notice;
    DialogResult m_result = DialogResult::Open;
    bool m_closeMainWindow = false;
    Connection m_searching;
    Connection m_joining;
    ChangeTracker<JoinGameChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
