#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAbstractButton;
class QSpinBox;
class QWidget;
class QAction;
class QComboBox;
class QLineEdit;

namespace wyn {

// How every window hears of a change: the signals that report a change of
// state, whoever made it (the mouse, the keyboard, a screen reader's action,
// voice control, a test). The window's own redraws run inside a
// QSignalBlocker, so what reaches these handlers is never an echo of them.
// (`clicked` and `textEdited` come from the mouse and the keyboard only: a box
// ticked through its accessible Toggle action would change on screen while
// the core never heard of it.)

// A check box's state, after every change.
void onToggled(QAbstractButton* box, QObject* context, std::function<void(bool checked)> handler);

// A radio button that becomes chosen (the one that is cleared by it says nothing).
void onChosen(QAbstractButton* radio, QObject* context, std::function<void()> handler);

// The text of a line edit, of an editable combo box (a TComboBox98 once its
// completion has filled the typed text in) or of a spin box, after every change.
using TextHandler = std::function<void(const QString& text)>;
void onTextChanged(QLineEdit* edit, QObject* context, TextHandler handler);
void onTextChanged(QComboBox* combo, QObject* context, TextHandler handler);
void onTextChanged(QSpinBox* spin, QObject* context, TextHandler handler);
// Whichever of the three the control is; false when it holds no text.
bool onTextChanged(QWidget* control, QObject* context, TextHandler handler);

// Runs a call from the event loop, after the call that asked for it has
// returned. Nothing runs when the context is gone by then.
void later(QObject* context, std::function<void()> call);

// A command (a push button, a menu item) runs from a queued call: the click,
// the key or the accessibility action that pressed it returns at once, also
// when the command opens a modal window, which is still modal to the user.
void onCommand(QAbstractButton* button, QObject* context, std::function<void()> command);
void onCommand(QAction* action, QObject* context, std::function<void()> command);

}  // namespace wyn
