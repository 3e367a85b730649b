#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/notifier.h"
#include "ui/editor_dialogs.h"
#include "wizard/launch_wizard.h"

namespace Ui {
class TWizardForm;
}

namespace wyn {

class GameStarter;
class ListBinding;
class SessionSettings;
class WindowOpener;

// The wizard's questions: its messages are the windows' own boxes, and its
// editors are opened as the main window opens them, modal over the wizard.
class WizardWindowPrompts : public WizardPrompts {
public:
    WizardWindowPrompts(UiPrompts& prompts, WindowOpener& windows)
        : m_prompts(prompts), m_windows(windows) {}

    void showError(const std::string& text) override;
    void showInformation(const std::string& text) override;
    void editMapCycle() override;
    void editBotProfiles() override;

private:
    UiPrompts& m_prompts;
    WindowOpener& m_windows;
};

// "WYN Wizard": the six pages of the launch wizard over its core object. The
// page shown and the buttons' texts, shown, enabled and default states come
// from the wizard's page framework; the window lays the buttons out. Each
// user event is one call into the wizard, and the window redraws from its
// change notice.
class TWizardForm : public EditorDialog {
    Q_OBJECT

public:
    // closeMainWindow is Close on Launch: the main window's normal closing;
    // the wizard closes after it.
    TWizardForm(SessionSettings& session, GameStarter& starter, UiPrompts& prompts,
                WindowOpener& windows, std::function<void()> closeMainWindow,
                QWidget* parent = nullptr);
    ~TWizardForm() override;

private:
    void bindControls();
    void bindButtons();
    void fitToContents();

    void redraw(const WizardChange& change);
    void redrawAll();
    void redrawPage();
    void redrawButtons();
    void redrawAnswers();

    std::unique_ptr<Ui::TWizardForm> ui;
    WizardWindowPrompts m_wizardPrompts;
    LaunchWizard m_wizard;
    std::function<void()> m_closeMainWindow;
    bool m_mainWindowClosed = false;
    ListBinding* m_maps = nullptr;
    ListBinding* m_bots = nullptr;
    ListBinding* m_botTeams = nullptr;
    Connection m_connection;
};

// "WYN Wizard", modal, fresh at every opening. It reads the main window's
// lists when it opens and launches with the session's directory and
// executable; Close on Launch calls closeMainWindow.
void runWizard(QWidget* parent, SessionSettings& session, GameStarter& starter, UiPrompts& prompts,
               WindowOpener& windows, std::function<void()> closeMainWindow);

}  // namespace wyn
