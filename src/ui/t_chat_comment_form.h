#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TChatCommentForm;
}

namespace wyn {

// A chat comment dialog: the comment in one line under its label, the help
// text below; OK takes the text as typed. The two dialogs differ only in
// caption, names and the text they start with.
class TChatCommentForm : public QDialog {
    Q_OBJECT

public:
    ~TChatCommentForm() override;

    QString comment() const;

protected:
    // prefix names the controls: "New" gives NewChatText and NewChatEdit.
    TChatCommentForm(const QString& prefix, const QString& caption, const QString& label,
                     const QString& comment, QWidget* parent);

private:
    std::unique_ptr<Ui::TChatCommentForm> ui;
};

// "Add Chat Comment": NewChatEdit, empty.
class TNewChatForm : public TChatCommentForm {
    Q_OBJECT

public:
    explicit TNewChatForm(QWidget* parent = nullptr);
};

// "Edit Chat Comment": EditChatEdit holding the comment.
class TEditChatForm : public TChatCommentForm {
    Q_OBJECT

public:
    explicit TEditChatForm(const QString& comment, QWidget* parent = nullptr);
};

}  // namespace wyn
