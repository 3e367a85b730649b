#include "ui/editor_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>

namespace wyn {

void fixSizeAndCentre(QDialog& dialog, QSize designed) {
    QLayout* layout = dialog.layout();
    layout->activate();
    QSize size = dialog.minimumSizeHint().expandedTo(designed);
    if (layout->hasHeightForWidth()) {
        size.setHeight(std::max(size.height(), layout->totalHeightForWidth(size.width())));
    }
    dialog.setFixedSize(size);
    centreOnScreen(dialog);
}

void centreOnScreen(QDialog& dialog) {
    const QWidget* parent = dialog.parentWidget();
    QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QSize size = dialog.size();
        const QRect area = screen->availableGeometry();
        dialog.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }
}

QWidget* windowInUse(QWidget* otherwise) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return otherwise;
}

void showLineText(QLineEdit* edit, const QString& text) {
    const QString shown = edit->text();
    if (shown == text) {
        return;
    }
    const QSignalBlocker blocker(edit);
    const int dropped = static_cast<int>(shown.size() - text.size());
    const int cursor = edit->cursorPosition() - std::max(dropped, 0);
    edit->setText(text);
    if (edit->hasFocus()) {
        edit->setCursorPosition(std::clamp(cursor, 0, static_cast<int>(text.size())));
    }
}

void showComboText(QComboBox* combo, const QString& text) {
    if (combo->currentText() == text) {
        return;
    }
    const QSignalBlocker blocker(combo);
    if (QLineEdit* edit = combo->lineEdit()) {
        showLineText(edit, text);
    } else {
        combo->setCurrentText(text);
    }
}

// --- EditorDialog.

EditorDialog::EditorDialog(UiPrompts& prompts, std::function<void()> cancel, QWidget* parent,
                           Qt::WindowFlags flags)
    : QDialog(parent, flags), m_prompts(prompts), m_cancel(std::move(cancel)) {}

void EditorDialog::command(QAbstractButton* button, std::function<void()> call) {
    onCommand(button, this, [this, call = std::move(call)] { forward(call); });
}

void closeAs(QDialog& dialog, DialogResult result) {
    if (isClosed(result)) {
        dialog.done(result == DialogResult::Ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

void EditorDialog::closeAs(DialogResult result) {
    wyn::closeAs(*this, result);
}

void EditorDialog::reject() {
    forward(m_cancel);  // the object's notice closes the window
    if (isVisible()) {
        QDialog::reject();
    }
}

}  // namespace wyn
