#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TEditChatForm;
}

namespace wyn {

// "Edit Chat Comment": EditChatEdit holding the comment, under the help
// text; OK takes the text as typed.
class TEditChatForm : public QDialog {
    Q_OBJECT

public:
    explicit TEditChatForm(const QString& comment, QWidget* parent = nullptr);
    ~TEditChatForm() override;

    QString comment() const;

private:
    std::unique_ptr<Ui::TEditChatForm> ui;
};

}  // namespace wyn
