#include "ui/qt_windows.h"

#include "ui/t_about_form.h"
#include "ui/t_wyn_form.h"

namespace wyn {

void QtWindows::openMapCycleEditor() {}

void QtWindows::openRosterEditor() {}

void QtWindows::openChatEditor() {}

void QtWindows::openWizard() {}

void QtWindows::openDevNews() {}

void QtWindows::openAbout() {
    TAboutForm form(m_form);
    form.exec();
}

}  // namespace wyn
