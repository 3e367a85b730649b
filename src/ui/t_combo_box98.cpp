#include "ui/t_combo_box98.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace wyn {

// Reports each change of the text once it is complete: the completer fills
// the typed text in during the key event, so a keystroke is reported after it
// and the text it passed through on the way is not.
class TComboBox98::LineEdit : public QLineEdit {
public:
    explicit LineEdit(TComboBox98* box) : QLineEdit(box), m_box(box) {
        connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (m_keyDepth == 0) {
                emit m_box->textChanged(text);
            }
        });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString before = text();
        ++m_keyDepth;
        QLineEdit::keyPressEvent(event);
        --m_keyDepth;
        if (text() != before) {
            emit m_box->textChanged(text());
        }
    }

private:
    TComboBox98* m_box;
    int m_keyDepth = 0;
};

TComboBox98::TComboBox98(QWidget* parent) : QComboBox(parent) {
    // A line edit of its own makes the box editable.
    setLineEdit(new LineEdit(this));
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void TComboBox98::setCompletes(bool completes) {
    m_completes = completes;
    if (!completes) {
        setCompleter(nullptr);
    } else if (hasFocus()) {
        makeCompleter();
    }
}

void TComboBox98::makeCompleter() {
    if (!m_completes || completer() != nullptr) {
        return;
    }
    auto* inlineCompleter = new QCompleter(model(), this);
    inlineCompleter->setCompletionMode(QCompleter::InlineCompletion);
    inlineCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    setCompleter(inlineCompleter);
}

void TComboBox98::focusInEvent(QFocusEvent* event) {
    makeCompleter();
    QComboBox::focusInEvent(event);
}

void TComboBox98::showPopup() {
    if (view()->accessibleName().isEmpty()) {
        view()->setAccessibleName(accessibleName());
    }
    QComboBox::showPopup();
}

void TComboBox98::setItemsKeepingText(const QStringList& items) {
    const QSignalBlocker blocker(this);
    const QString text = currentText();
    clear();
    addItems(items);
    setEditText(text);
}

void TComboBox98::showText(const QString& text) {
    if (currentText() == text) {
        return;
    }
    const QSignalBlocker blocker(this);
    setEditText(text);
}

}  // namespace wyn
