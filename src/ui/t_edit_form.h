#pragma once

class QWidget;

namespace wyn {

class SessionSettings;
class UiPrompts;
class ValueStore;

// "Edit Bots.cfg", modal, fresh at every opening, on the session's game
// directory; its OK writes bots.cfg and refreshes the main window's bot and
// team lists, keeping their choices.
void runRosterEditor(QWidget* parent, SessionSettings& session, ValueStore& store,
                     UiPrompts& prompts);

}  // namespace wyn
