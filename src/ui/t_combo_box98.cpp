#include "ui/t_combo_box98.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace wyn {

// Reports each change the user makes once it is complete: the completer fills
// the text in during the key event, so the text is read after it.
class TComboBox98::LineEdit : public QLineEdit {
public:
    explicit LineEdit(TComboBox98* box) : QLineEdit(box), m_box(box) {
        connect(this, &QLineEdit::textEdited, this, [this](const QString&) {
            if (m_keyDepth == 0) {
                emit m_box->textChosen(text());  // a paste or cut by the mouse
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
            emit m_box->textChosen(text());
        }
    }

private:
    TComboBox98* m_box;
    int m_keyDepth = 0;
};

TComboBox98::TComboBox98(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setLineEdit(new LineEdit(this));
    setCompletes(true);
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit textChosen(itemText(index)); });
}

void TComboBox98::setCompletes(bool completes) {
    if (!completes) {
        setCompleter(nullptr);
        return;
    }
    auto* completer = new QCompleter(model(), this);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    setCompleter(completer);
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
