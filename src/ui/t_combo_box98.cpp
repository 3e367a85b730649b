#include "ui/t_combo_box98.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>

#include "platform/qt_text.h"

namespace wyn {

// Completes what was typed and reports each change of the text once it is
// complete: a keystroke is reported after its completion, and the text it
// passed through on the way is not.
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
        const bool erased = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
        if (text() != before && !erased) {
            m_box->complete();
        }
        --m_keyDepth;
        if (text() != before) {
            emit m_box->textChanged(text());
        }
    }

private:
    TComboBox98* m_box;
    int m_keyDepth = 0;
};

namespace {

// One completer, never used, shared by every box while it is built.
QCompleter* standInCompleter() {
    static QPointer<QCompleter> standIn;
    if (standIn.isNull()) {
        standIn = new QCompleter(QCoreApplication::instance());
    }
    return standIn;
}

}  // namespace

TComboBox98::TComboBox98(QWidget* parent) : QComboBox(parent) {
    // A line edit of its own makes the box editable. The box completes by
    // itself: a line edit that has a completer keeps QComboBox from building
    // one (and its models) only to be dropped at once.
    auto* edit = new LineEdit(this);
    edit->setCompleter(standInCompleter());
    setLineEdit(edit);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

// The text becomes the first item that begins with it, ignoring case, in the
// item's own letters (the game tells "Male" from "male"), with the added part
// selected so that typing on replaces it.
void TComboBox98::complete() {
    const QString typed = lineEdit()->text();
    if (!m_completes || typed.isEmpty()) {
        return;
    }
    const int index = findText(typed, Qt::MatchStartsWith);
    if (index < 0) {
        return;
    }
    const QString item = itemText(index);
    lineEdit()->setText(item);
    lineEdit()->setSelection(item.size(), typed.size() - item.size());
}

void TComboBox98::setCompletes(bool completes) {
    m_completes = completes;
}

void TComboBox98::showPopup() {
    if (view()->accessibleName().isEmpty()) {
        view()->setAccessibleName(accessibleName());
    }
    QComboBox::showPopup();
}

void TComboBox98::setItemsKeepingText(std::vector<std::string> items) {
    const QSignalBlocker blocker(this);
    const QString text = currentText();
    clear();
    addItems(toQt(items));
    setEditText(text);
    m_items = std::move(items);
}

std::string TComboBox98::coreText(const QString& text) const {
    return fromQt(text, m_items);
}

void TComboBox98::showText(const QString& text) {
    if (currentText() == text) {
        return;
    }
    const QSignalBlocker blocker(this);
    setEditText(text);
}

std::string coreTextOf(const QWidget* control, const QString& text) {
    if (const auto* combo = qobject_cast<const TComboBox98*>(control)) {
        return combo->coreText(text);
    }
    return fromQt(text);
}

}  // namespace wyn
