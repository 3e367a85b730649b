#pragma once

#include <QPointer>

#include "ui/window_prompts.h"

namespace wyn {

class TWYNForm;

// Opens the other windows of the program, modal over the main window, a fresh
// one at every opening.
class QtWindows : public WindowOpener {
public:
    void setMainWindow(TWYNForm* form) { m_form = form; }

    void openMapCycleEditor() override;
    void openRosterEditor() override;
    void openChatEditor() override;
    void openWizard() override;
    void openDevNews() override;
    void openAbout() override;

private:
    QPointer<TWYNForm> m_form;
};

}  // namespace wyn
