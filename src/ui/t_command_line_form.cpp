#include "ui/t_command_line_form.h"

#include <QCloseEvent>

#include "ui/colours.h"
#include "ui_t_command_line_form.h"

namespace wyn {

TCommandLineForm::TCommandLineForm(QWidget* parent)
    : QWidget(parent, Qt::Tool), ui(std::make_unique<Ui::TCommandLineForm>()) {
    ui->setupUi(this);
    usePreviewColours(ui->CommandLinePanel);
    // Where it first opens; it may be moved and sized after.
    resize(540, 144);
    move(425, 234);
}

TCommandLineForm::~TCommandLineForm() = default;

void TCommandLineForm::setCommandLine(const QString& text) {
    ui->CommandLineLabel->setText(text);
}

QString TCommandLineForm::commandLine() const {
    return ui->CommandLineLabel->text();
}

void TCommandLineForm::closeEvent(QCloseEvent* event) {
    // The program only ever hides this window; a close is the user's.
    event->accept();
    if (m_onUserClose) {
        m_onUserClose();
    }
}

}  // namespace wyn
