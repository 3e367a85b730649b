#pragma once

class QWidget;

namespace wyn {

class SessionSettings;
class UiPrompts;

// "Edit Map Cycling", modal, fresh at every opening, on the session's game directory.
void runMapCycleEditor(QWidget* parent, const SessionSettings& session, UiPrompts& prompts);

}  // namespace wyn
