#include "ui/t_chat_comment_form.h"

#include "chat/chat_editor.h"
#include "platform/qt_text.h"
#include "ui/accessible_names.h"
#include "ui/editor_dialogs.h"
#include "ui_t_chat_comment_form.h"

namespace wyn {

namespace {

constexpr QSize kDesignedSize(279, 93);

}  // namespace

TChatCommentForm::TChatCommentForm(const QString& prefix, const QString& caption,
                                   const QString& label, const QString& comment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TChatCommentForm>()) {
    ui->setupUi(this);
    setObjectName("T" + prefix + "ChatForm");
    ui->ChatText->setObjectName(prefix + "ChatText");
    ui->ChatEdit->setObjectName(prefix + "ChatEdit");
    setWindowTitle(caption);
    ui->ChatText->setText(label);
    ui->HelpLabel->setText(toQt(kChatHelpText));
    ui->ChatEdit->setText(comment);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    nameControlsByTheirLabels(this);
    fixSizeAndCentre(*this, kDesignedSize);
}

TChatCommentForm::~TChatCommentForm() = default;

QString TChatCommentForm::comment() const {
    return ui->ChatEdit->text();
}

TNewChatForm::TNewChatForm(QWidget* parent)
    : TChatCommentForm("New", toQt(kNewChatFormCaption), toQt(kNewChatLabel), {}, parent) {}

TEditChatForm::TEditChatForm(const QString& comment, QWidget* parent)
    : TChatCommentForm("Edit", toQt(kEditChatFormCaption), toQt(kEditChatLabel), comment, parent) {}

}  // namespace wyn
