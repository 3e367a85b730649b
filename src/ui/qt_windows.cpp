#include "ui/qt_windows.h"

#include "ui/t_about_form.h"
#include "ui/t_chat_form.h"
#include "ui/t_dev_form.h"
#include "ui/t_edit_form.h"
#include "ui/t_maps_form.h"
#include "ui/t_wizard_form.h"
#include "ui/t_wyn_form.h"

namespace wyn {

void QtWindows::openMapCycleEditor() {
    runMapCycleEditor(m_form, m_form->session(), m_prompts);
}

void QtWindows::openRosterEditor() {
    runRosterEditor(m_form, m_form->session(), m_store, m_prompts);
}

void QtWindows::openChatEditor() {
    runChatEditor(m_form, m_form->session(), m_prompts);
}

void QtWindows::openWizard() {
    QPointer<TWYNForm> form = m_form;
    runWizard(m_form, m_form->session(), m_store, m_starter, m_prompts, [form] {
        if (form) {
            form->close();
        }
    });
}

void QtWindows::openDevNews() {
    runDevNews(m_form, m_store, m_prompts);
}

void QtWindows::openAbout() {
    TAboutForm form(m_form);
    form.exec();
}

}  // namespace wyn
