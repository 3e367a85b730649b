#pragma once

#include <QDialog>
#include <QSize>
#include <functional>
#include <utility>

#include "base/dialog_result.h"
#include "ui/binding.h"
#include "ui/window_prompts.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QString;

namespace wyn {

// The dialogs are fixed in size: the size they were laid out for, grown to
// the smallest that shows every caption in this platform's font (wrapped
// labels included); then they are centred on the screen.
void fixSizeAndCentre(QDialog& dialog, QSize designed);
// In the middle of the screen of the window that opened it, whatever that
// window's place.
void centreOnScreen(QDialog& dialog);

// The window a question or another window stands over: the modal window the
// user works in (an editor, the wizard), else the given one (the main window).
QWidget* windowInUse(QWidget* otherwise);

// Shows a text the core holds without raising the box's or edit's signals.
// A text the core changed while it was typed (a character it dropped) keeps
// the cursor where the typing was.
void showLineText(QLineEdit* edit, const QString& text);
void showComboText(QComboBox* combo, const QString& text);

// Closes a dialog when its core object closed: OK accepts, Cancel rejects.
void closeAs(QDialog& dialog, DialogResult result);

// What every dialog over a core object shares: each user event runs through
// the error boundary, buttons are commands, closing by Esc or the title bar
// is the object's Cancel, and the window closes with the result the object
// reports.
class EditorDialog : public QDialog {
    Q_OBJECT

protected:
    EditorDialog(UiPrompts& prompts, std::function<void()> cancel, QWidget* parent,
                 Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint);

    template <typename Call>
    void forward(Call&& call) {
        guarded(m_prompts, std::forward<Call>(call));
    }
    // A button whose click is one call of the core object.
    void command(QAbstractButton* button, std::function<void()> call);
    // Closes the window when the object closed: OK accepts, Cancel rejects.
    void closeAs(DialogResult result);

    void reject() override;  // Esc and the close box cancel

    UiPrompts& m_prompts;

private:
    std::function<void()> m_cancel;
};

// Opens a dialog's core object (which reads its file) and, when that worked,
// shows its window modally over the parent.
template <typename Form, typename Editor, typename... FormArguments>
void runEditor(Editor& editor, UiPrompts& prompts, FormArguments&&... arguments) {
    bool opened = false;
    // A file that is there but cannot be read opens no window.
    guarded(prompts, [&] {
        editor.open();
        opened = true;
    });
    if (opened) {
        Form form(editor, prompts, std::forward<FormArguments>(arguments)...);
        form.exec();
    }
}

}  // namespace wyn
