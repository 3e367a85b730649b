#include "ui/qt_windows.h"

#include "ui/editor_dialogs.h"
#include "ui/t_about_form.h"
#include "ui/t_chat_form.h"
#include "ui/t_dev_form.h"
#include "ui/t_edit_form.h"
#include "ui/t_maps_form.h"
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

}  // namespace wyn
