#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TCommandForm;
}

namespace wyn {

// The command-line editor of a launch with manual editing: the line in a
// black box, word-wrapped; Enter launches instead of breaking the line.
class TCommandForm : public QDialog {
    Q_OBJECT

public:
    explicit TCommandForm(const QString& commandLine, QWidget* parent = nullptr);
    ~TCommandForm() override;

    // The text as edited (its first line is what the launch converts).
    QString editedText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::TCommandForm> ui;
};

}  // namespace wyn
