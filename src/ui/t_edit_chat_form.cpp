#include "ui/t_edit_chat_form.h"

#include "chat/chat_editor.h"
#include "ui/accessible_names.h"
#include "ui/editor_dialogs.h"
#include "ui/qt_text.h"
#include "ui_t_edit_chat_form.h"

namespace wyn {

TEditChatForm::TEditChatForm(const QString& comment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TEditChatForm>()) {
    ui->setupUi(this);
    setWindowTitle(toQt(kEditChatFormCaption));
    ui->EditChatText->setText(toQt(kEditChatLabel));
    ui->HelpLabel->setText(toQt(kChatHelpText));
    ui->EditChatEdit->setText(comment);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    nameControlsByTheirLabels(this);
    fixSizeAndCentre(*this, {279, 93});
}

TEditChatForm::~TEditChatForm() = default;

QString TEditChatForm::comment() const {
    return ui->EditChatEdit->text();
}

}  // namespace wyn
