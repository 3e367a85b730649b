#include "ui/t_new_chat_form.h"

#include "chat/chat_editor.h"
#include "ui/accessible_names.h"
#include "ui/editor_dialogs.h"
#include "ui/qt_text.h"
#include "ui_t_new_chat_form.h"

namespace wyn {

TNewChatForm::TNewChatForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TNewChatForm>()) {
    ui->setupUi(this);
    setWindowTitle(toQt(kNewChatFormCaption));
    ui->NewChatText->setText(toQt(kNewChatLabel));
    ui->HelpLabel->setText(toQt(kChatHelpText));
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    nameControlsByTheirLabels(this);
    fixSizeAndCentre(*this, {279, 93});
}

TNewChatForm::~TNewChatForm() = default;

QString TNewChatForm::comment() const {
    return ui->NewChatEdit->text();
}

}  // namespace wyn
