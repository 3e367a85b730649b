#pragma once

#include <functional>

class QWidget;

namespace wyn {

class GameStarter;
class SessionSettings;
class UiPrompts;
class ValueStore;

// "WYN Wizard", modal, fresh at every opening. It reads the main window's
// lists when it opens and launches with the session's directory and
// executable; Close on Launch calls closeMainWindow.
void runWizard(QWidget* parent, SessionSettings& session, ValueStore& store, GameStarter& starter,
               UiPrompts& prompts, std::function<void()> closeMainWindow);

}  // namespace wyn
