#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/notifier.h"
#include "platform/game_log.h"
#include "servers/server_monitor.h"
#include "ui/editor_dialogs.h"
#include "ui/qt_server_asker.h"

namespace Ui {
class TServerStatusForm;
}

namespace wyn {

// "Server Status": the server shown, the addresses friends connect to, its
// name, map, players and limits and a table of its players, refreshed every
// two seconds while the window is open; for the server WYN started, the end of
// its game's log, followed as it grows. The queries run beside the window.
// A monitor the host keeps beside the main window while playing: modeless and
// resizable; closing it ends its query and its timer.
class TServerStatusForm : public EditorDialog {
    Q_OBJECT

public:
    // ownAddresses: this machine's, for the addresses friends use. The
    // window asks through its own QtServerAsker unless given another.
    TServerStatusForm(UiPrompts& prompts, std::vector<IpAddress> ownAddresses,
                      ServerMonitor::Timing timing = {}, QWidget* parent = nullptr,
                      std::unique_ptr<ServerAsker> asker = {});
    ~TServerStatusForm() override;

    // The server WYN started, and the log its game writes (empty: none).
    void showStarted(const ServerAddress& server, const std::string& log);
    // Another server.
    void showServer(const ServerAddress& server);

private:
    void redraw(const ServerMonitorChange& change);
    void redrawStatus();
    void readLog();

    std::unique_ptr<Ui::TServerStatusForm> ui;
    std::unique_ptr<ServerAsker> m_asker;
    ServerMonitor m_monitor;
    std::unique_ptr<LogFollower> m_log;
    Connection m_connection;
};

}  // namespace wyn
