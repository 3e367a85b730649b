#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/notifier.h"
#include "base/prompts.h"
#include "servers/ip_address.h"
#include "servers/server_asker.h"

namespace wyn {

// What one change of the Server Status window changed.
struct ServerMonitorChange {
    bool address = false;    // the address shown in AddressEdit
    bool friends = false;    // the addresses friends connect to
    bool status = false;     // name, map, players, limits and the players' table
    bool state = false;      // StateLabel: asking, answering, not answering
    bool log = false;        // whether the game's log is shown
    bool refreshed = false;  // a refresh ended, answered or not: the log is read again

    bool any() const { return address || friends || status || state || log || refreshed; }
};

// A game's output as its console shows it: each line through gameText, the
// line breaks kept (a carriage return before one dropped).
std::string consoleText(std::string_view output);

enum class MonitorState { Idle, Asking, Answering, NotAnswering };

// The Server Status window without its widgets: one server, asked at once and
// then again two seconds after each answer or miss, so queries never overlap;
// the addresses friends connect to; the server's values as the last answer
// gave them, kept through a missed reply, which shows "Not answering".
class ServerMonitor {
public:
    struct Timing {
        std::chrono::milliseconds refresh{2000};  // from one query's end to the next
        std::chrono::milliseconds timeout{2000};  // a query without answer is a miss
    };

    // ownAddresses: this machine's interfaces' addresses, for the addresses
    // friends use and to tell this machine's servers from others.
    ServerMonitor(ServerAsker& asker, MessagePrompts& prompts, std::vector<IpAddress> ownAddresses,
                  Timing timing);
    ServerMonitor(const ServerMonitor&) = delete;
    ServerMonitor& operator=(const ServerMonitor&) = delete;

    [[nodiscard]] Connection onChange(std::function<void(const ServerMonitorChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    // The server WYN started: shown with its log.
    void showStarted(const ServerAddress& server);
    // Any server: shown, its log only when it is the one WYN started.
    void show(const ServerAddress& server);
    // AddressEdit's text changed; nothing is asked until Enter.
    void setAddressText(const std::string& text);
    // Enter in AddressEdit: the server typed is shown; a text that is no
    // address is refused with its message, and nothing is sent.
    void enter();
    // The window closes: the query and the wait end, nothing more is asked.
    void close();

    const std::string& addressText() const { return m_address; }
    const std::optional<ServerAddress>& server() const { return m_server; }
    // "ADDRESS:PORT" each: this machine's addresses others reach at the
    // server's port when the server is this machine's, else the server's own.
    const std::vector<std::string>& friendAddresses() const { return m_friends; }
    MonitorState state() const { return m_state; }
    // "Asking...", "Answering in N ms", "Not answering"; empty when idle.
    std::string stateText() const;
    bool logShown() const { return m_started && m_server == m_started; }

    // The values of the last answer; empty texts before the first.
    std::string nameText() const;
    std::string mapText() const;
    std::string playersText() const;    // "PLAYERS/MAX"
    std::string fragLimitText() const;  // "none" for 0
    std::string timeLimitText() const;  // "20 min", "none" for 0
    // Most frags first, as a scoreboard; in the server's order among equals.
    const std::vector<ServerPlayer>& players() const { return m_players; }

private:
    bool isThisMachine(const ServerAddress& server) const;
    void ask();
    void answered(const ServerAnswers& answers);

    struct Snapshot {
        std::string address;
        std::vector<std::string> friends;
        int statusRevision;
        MonitorState state;
        std::chrono::milliseconds ping;
        bool log;
        int refreshes;
    };
    Snapshot snapshot() const {
        return {m_address, m_friends, m_statusRevision, m_state, m_ping, logShown(), m_refreshes};
    }
    ServerMonitorChange compare(const Snapshot& before) const;

    ServerAsker& m_asker;
    MessagePrompts& m_prompts;
    std::vector<IpAddress> m_own;
    Timing m_timing;
    std::string m_address;
    std::optional<ServerAddress> m_server;
    std::optional<ServerAddress> m_started;
    std::vector<std::string> m_friends;
    std::optional<ServerStatus> m_status;
    std::vector<ServerPlayer> m_players;
    int m_statusRevision = 0;  // counts the changes of the status, so none is copied to compare
    std::chrono::milliseconds m_ping{0};
    MonitorState m_state = MonitorState::Idle;
    int m_refreshes = 0;
    Connection m_query;
    Connection m_wait;
    ChangeTracker<ServerMonitorChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
