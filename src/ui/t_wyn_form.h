#pragma once

#include <QHash>
#include <QMainWindow>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/game_starter.h"
#include "base/notifier.h"
#include "base/platform_profile.h"
#include "base/value_store.h"
#include "session/session_settings.h"
#include "session/startup.h"
#include "store/recent_files.h"
#include "ui/window_prompts.h"

class QAction;
class QLabel;

namespace Ui {
class TWYNForm;
}

namespace wyn {

class ListBinding;
class TCommandLineForm;

// What the main window works with besides its session.
struct MainWindowServices {
    const PlatformProfile& profile;
    ValueStore& store;
    GameStarter& starter;
    UiPrompts& prompts;
    WindowOpener& windows;
};

// The main window: every option of the session on five tabs, the preview, the
// menus, and the program's start-up and shutdown. Its controls are bound to
// the session's fields by name; each user event is one call into the core,
// and the window redraws what the core's change notice names.
class TWYNForm : public QMainWindow {
    Q_OBJECT

public:
    // Creation: the recent files are read and the installation check runs,
    // which may ask for the game directory; the external command-line window
    // is created hidden.
    TWYNForm(const MainWindowServices& services, const std::string& currentDirectory,
             QWidget* parent = nullptr);
    // The recent files are stored when the window goes.
    ~TWYNForm() override;

    // Showing: the stored state is restored, the window shown, then the program
    // arguments are handled (a preset path, then "-L" to launch at once).
    void start(const std::vector<std::string>& arguments = {});

    SessionSettings& session() { return m_session; }
    const RecentFiles& recentFiles() const { return m_recent; }
    TCommandLineForm& commandLineForm() { return *m_commandLineForm; }

    // A watched game ended early or failed: the player is told how, and why
    // when that can be told.
    void gameEnded(const GameEnd& end);

    // File > Open of one path, as the open dialog, a recent entry or a file
    // dropped on the window give it.
    void openPreset(const std::string& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    template <typename Call>
    void forward(Call&& call) {
        guarded(m_services.prompts, std::forward<Call>(call));
    }

    QWidget* control(Field field) const { return m_controls[static_cast<std::size_t>(field)]; }
    void setUpControls();
    void setUpPictures();
    void bindFields();
    void bindLists();
    void bindButtons();
    void bindMenus();
    void setText(Field field, const std::string& text);

    void redraw(const SessionChange& change);
    void redrawAll();
    void redrawValue(Field field);
    void redrawEnabled(Field field, const ViewState& view);
    void redrawItems(Field field);
    void redrawLists(const SessionChange& change, bool all);
    void redrawView(const ViewState& view);
    void fitToContents(bool previewShown);
    void redrawRecentMenu();

    void launch();
    void askAndOpenPreset();

    std::unique_ptr<Ui::TWYNForm> ui;
    MainWindowServices m_services;
    SessionSettings m_session;
    RecentFiles m_recent;
    MainWindowLife m_life;
    std::array<QWidget*, kFieldCount> m_controls{};
    QHash<QWidget*, QLabel*> m_labels;  // the label of each labelled control
    std::array<ListBinding*, kSessionListCount> m_lists{};
    std::vector<QAction*> m_recentActions;
    TCommandLineForm* m_commandLineForm = nullptr;
    Connection m_sessionConnection;
    bool m_closed = false;
};

}  // namespace wyn
