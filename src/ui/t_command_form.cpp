#include "ui/t_command_form.h"

#include <QKeyEvent>
#include <QPushButton>

#include "ui/colours.h"
#include "ui/editor_dialogs.h"
#include "ui_t_command_form.h"

namespace wyn {

TCommandForm::TCommandForm(const QString& commandLine, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TCommandForm>()) {
    ui->setupUi(this);
    usePreviewColours(ui->CommandLineMemo);
    ui->CommandLineMemo->setPlainText(commandLine);
    ui->CommandLineMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ui->CommandLineMemo->installEventFilter(this);
    fixSizeAndCentre(*this, sizeHint());
    connect(ui->LaunchButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TCommandForm::~TCommandForm() = default;

QString TCommandForm::editedText() const {
    return ui->CommandLineMemo->toPlainText();
}

bool TCommandForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->CommandLineMemo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ui->LaunchButton->click();  // the default button, as in any dialog
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace wyn
