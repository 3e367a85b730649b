#include "ui/binding.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QSpinBox>

#include "ui/t_combo_box98.h"

namespace wyn {

void onToggled(QAbstractButton* box, QObject* context, std::function<void(bool)> handler) {
    QObject::connect(box, &QAbstractButton::toggled, context, std::move(handler));
}

void onChosen(QAbstractButton* radio, QObject* context, std::function<void()> handler) {
    QObject::connect(radio, &QAbstractButton::toggled, context,
                     [handler = std::move(handler)](bool checked) {
                         if (checked) {
                             handler();
                         }
                     });
}

void onTextChanged(QLineEdit* edit, QObject* context, TextHandler handler) {
    QObject::connect(edit, &QLineEdit::textChanged, context, std::move(handler));
}

void onTextChanged(QComboBox* combo, QObject* context, TextHandler handler) {
    if (auto* completing = qobject_cast<TComboBox98*>(combo)) {
        QObject::connect(completing, &TComboBox98::textChanged, context, std::move(handler));
    } else {
        QObject::connect(combo, &QComboBox::editTextChanged, context, std::move(handler));
    }
}

void onTextChanged(QSpinBox* spin, QObject* context, TextHandler handler) {
    // The box reports a text only with a new value; an emptied box (or one
    // typed into a text that is no value yet) is a change too, which only its
    // editor reports. A redraw blocks the box's signals, not its editor's.
    QObject::connect(spin, &QSpinBox::textChanged, context, handler);
    QObject::connect(spin->findChild<QLineEdit*>(), &QLineEdit::textChanged, context,
                     [spin, handler](const QString& text) {
                         if (!spin->signalsBlocked() && !spin->hasAcceptableInput()) {
                             handler(text);
                         }
                     });
}

bool onTextChanged(QWidget* control, QObject* context, TextHandler handler) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        onTextChanged(combo, context, std::move(handler));
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        onTextChanged(spin, context, std::move(handler));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        onTextChanged(edit, context, std::move(handler));
    } else {
        return false;
    }
    return true;
}

void later(QObject* context, std::function<void()> call) {
    QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
}

void onCommand(QAbstractButton* button, QObject* context, std::function<void()> command) {
    QObject::connect(button, &QAbstractButton::clicked, context,
                     [context, command = std::move(command)] { later(context, command); });
}

void onCommand(QAction* action, QObject* context, std::function<void()> command) {
    QObject::connect(action, &QAction::triggered, context,
                     [context, command = std::move(command)] { later(context, command); });
}

}  // namespace wyn
