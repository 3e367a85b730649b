#pragma once

#include <memory>

#include "base/notifier.h"
#include "bots/roster_editor.h"
#include "ui/editor_dialogs.h"

class QWidget;

namespace Ui {
class TEditForm;
}

namespace wyn {

class ListBinding;
class SessionSettings;
class ValueStore;

// "Edit Bots.cfg": the bots, teams and view-weapon supporters of a roster
// editor that has read its file. Each user event is one call of the editor;
// the window redraws what its change notice names. OK is SaveRoster, which
// also refreshes the main window's lists; the dialog closes when the editor
// says it closed.
class TEditForm : public EditorDialog {
    Q_OBJECT

public:
    TEditForm(RosterEditor& editor, UiPrompts& prompts, SessionSettings& session, ValueStore& store,
              QWidget* parent = nullptr);
    ~TEditForm() override;

private:
    void setUpControls();
    void bindLists();
    void bindBotControls();
    void bindTeamControls();
    void bindButtons();

    void redraw(const RosterChange& change);
    void redrawAll();
    // The texts and check marks, compared with what the widgets show, so a
    // character the editor dropped from a typed text is taken out again.
    void showBotTexts();
    void showTeamTexts();
    void redrawBot(bool all);
    void redrawTeam(bool all);
    void showPreview(const std::string& path);

    std::unique_ptr<Ui::TEditForm> ui;
    RosterEditor& m_editor;
    SessionSettings& m_session;
    ValueStore& m_store;
    ListBinding* m_bots = nullptr;
    ListBinding* m_availableMembers = nullptr;
    ListBinding* m_teams = nullptr;
    ListBinding* m_currentMembers = nullptr;
    ListBinding* m_currentSupporters = nullptr;
    ListBinding* m_availableSupporters = nullptr;
    // What the Bots and Teams tabs show, as last drawn.
    BotControls m_bot;
    TeamControls m_team;
    bool m_previewLoaded = false;  // BotImage holds the picture at m_bot.previewPath
    Connection m_connection;
};

// "Edit Bots.cfg", modal, fresh at every opening, on the session's game
// directory; its OK writes bots.cfg and refreshes the main window's bot and
// team lists, keeping their choices.
void runRosterEditor(QWidget* parent, SessionSettings& session, ValueStore& store,
                     UiPrompts& prompts);

}  // namespace wyn
