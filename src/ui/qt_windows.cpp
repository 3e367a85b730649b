#include "ui/qt_windows.h"

#include "platform/network/interfaces.h"
#include "session/hosted_server.h"
#include "ui/editor_dialogs.h"
#include "ui/t_about_form.h"
#include "ui/t_chat_form.h"
#include "ui/t_dev_form.h"
#include "ui/t_edit_form.h"
#include "ui/t_join_form.h"
#include "ui/t_maps_form.h"
#include "ui/t_server_status_form.h"
#include "ui/t_wizard_form.h"
#include "ui/t_wyn_form.h"

namespace wyn {

QWidget* QtWindows::opener() const {
    return windowInUse(m_form);
}

void QtWindows::openMapCycleEditor() {
    runMapCycleEditor(opener(), m_form->session(), m_prompts);
}

void QtWindows::openRosterEditor() {
    runRosterEditor(opener(), m_form->session(), m_store, m_prompts);
}

void QtWindows::openChatEditor() {
    runChatEditor(opener(), m_form->session(), m_prompts);
}

void QtWindows::openWizard() {
    QPointer<TWYNForm> form = m_form;
    runWizard(m_form, m_form->session(), m_starter, m_prompts, *this, [form] {
        if (form) {
            form->close();
        }
    });
}

void QtWindows::openDevNews() {
    runDevNews(opener(), m_store, m_prompts);
}

void QtWindows::openAbout() {
    TAboutForm form(opener());
    form.exec();
}

void QtWindows::openJoinGame() {
    QPointer<TWYNForm> form = m_form;
    runJoinGame(opener(), m_form->session(), m_store, m_starter, m_prompts, [form] {
        if (form) {
            form->close();
        }
    });
}

// The server of the last launch that still runs, with its log; without one,
// this machine's server at the session's port, which another program may run.
void QtWindows::openServerStatus() {
    const bool opened = !m_status.isNull();
    TServerStatusForm& window = statusWindow();
    if (opened) {
        return;
    }
    const auto games = m_runningGames ? m_runningGames() : std::vector<WatchedGame>{};
    for (auto game = games.rbegin(); game != games.rend(); ++game) {
        if (const auto hosted = hostedServer(m_form->session(), game->request)) {
            window.showStarted(hosted->address, game->log);
            return;
        }
    }
    window.showServer(localServer(sessionServerPort(m_form->session())));
}

void QtWindows::gameWatched(const WatchedGame& game) {
    if (m_form.isNull()) {
        return;
    }
    if (const auto hosted = hostedServer(m_form->session(), game.request);
        hosted && hosted->dedicated) {
        statusWindow().showStarted(hosted->address, game.log);
    }
}

TServerStatusForm& QtWindows::statusWindow() {
    if (m_status.isNull()) {
        m_status = new TServerStatusForm(m_prompts, addressesOf(interfaceAddresses()), {}, m_form);
        QObject::connect(m_status, &QDialog::finished, m_status, &QObject::deleteLater);
    }
    m_status->show();
    m_status->raise();
    m_status->activateWindow();
    return *m_status;
}

}  // namespace wyn
