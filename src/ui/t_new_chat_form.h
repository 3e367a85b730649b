#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TNewChatForm;
}

namespace wyn {

// "Add Chat Comment": NewChatEdit, empty, under the help text; OK takes the
// text as typed.
class TNewChatForm : public QDialog {
    Q_OBJECT

public:
    explicit TNewChatForm(QWidget* parent = nullptr);
    ~TNewChatForm() override;

    QString comment() const;

private:
    std::unique_ptr<Ui::TNewChatForm> ui;
};

}  // namespace wyn
