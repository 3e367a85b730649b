#pragma once

#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class TCommandLineForm;
}

namespace wyn {

// The external command-line window: a sizeable tool window whose black panel
// shows the preview. Closing it with its close box is the user's way of
// turning the external preview off.
class TCommandLineForm : public QWidget {
    Q_OBJECT

public:
    explicit TCommandLineForm(QWidget* parent = nullptr);
    ~TCommandLineForm() override;

    void setCommandLine(const QString& text);
    QString commandLine() const;
    // Called when the window is closed, which only the user does: the program
    // hides it.
    void setOnUserClose(std::function<void()> handler) { m_onUserClose = std::move(handler); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::TCommandLineForm> ui;
    std::function<void()> m_onUserClose;
};

}  // namespace wyn
