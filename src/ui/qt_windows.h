#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/window_prompts.h"

namespace wyn {

class GameStarter;
class TWYNForm;
class ValueStore;

// Opens the other windows of the program, modal over the main window, a fresh
// one at every opening.
class QtWindows : public WindowOpener {
public:
    QtWindows(ValueStore& store, GameStarter& starter, UiPrompts& prompts)
        : m_store(store), m_starter(starter), m_prompts(prompts) {}
    void setMainWindow(TWYNForm* form) { m_form = form; }

    void openMapCycleEditor() override;
    void openRosterEditor() override;
    void openChatEditor() override;
    void openWizard() override;
    void openDevNews() override;
    void openAbout() override;

private:
    QWidget* opener() const;

    ValueStore& m_store;
    GameStarter& m_starter;
    UiPrompts& m_prompts;
    QPointer<TWYNForm> m_form;
};

}  // namespace wyn
